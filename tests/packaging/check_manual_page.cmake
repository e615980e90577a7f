# The manual page formats without a single groff warning.
#   cmake -DGROFF=groff -DPAGE=doc/vantrel.1 -P check_manual_page.cmake
if(NOT GROFF)
  message(FATAL_ERROR "groff is not installed (make deps installs it)")
endif()
execute_process(COMMAND ${GROFF} -ww -man -z ${PAGE}
  RESULT_VARIABLE status ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff on ${PAGE} (status ${status}):\n${warnings}")
endif()
foreach(section NAME SYNOPSIS DESCRIPTION OPTIONS "OUTPUT FILES" "EXIT STATUS" EXAMPLES)
  file(STRINGS ${PAGE} heading REGEX "^\\.SH \"?${section}\"?$")
  if(NOT heading)
    message(FATAL_ERROR "${PAGE} has no section ${section}")
  endif()
endforeach()
