# `cmake --install` puts the program and its manual page in place, and the
# installed program runs.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DPAGE=doc/vantrel.1 -P check_install.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${PAGE} ${PREFIX}/share/man/man1/vantrel.1
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "no manual page at ${PREFIX}/share/man/man1/vantrel.1")
endif()
execute_process(COMMAND ${PREFIX}/bin/vantrel -HELP OUTPUT_VARIABLE console RESULT_VARIABLE status)
if(NOT status EQUAL 1 OR NOT console MATCHES "vantrel - SVF to VCL Translator - Version: ")
  message(FATAL_ERROR "${PREFIX}/bin/vantrel did not run (status ${status}):\n${console}")
endif()
file(REMOVE_RECURSE ${PREFIX})
