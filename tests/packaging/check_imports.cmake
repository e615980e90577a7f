# A Windows program imports system DLLs only: the C++ runtime, libgcc and the
# threading library are linked in, so the one file runs on a bare Windows.
#   cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DPROGRAM=vantrel.exe -P check_imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed")
endif()
# And it ships without its symbols (the Release build links with -s).
if(NOT headers MATCHES "symbols stripped")
  message(FATAL_ERROR "${PROGRAM} carries its symbols: a released program is stripped")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${PROGRAM}")
endif()
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll MATCHES "^(kernel32|msvcrt|ucrtbase|advapi32|user32|shell32|ws2_32|ntdll)\\.dll$"
     AND NOT dll MATCHES "^api-ms-win-.*\\.dll$")
    message(FATAL_ERROR "${PROGRAM} needs ${dll}, which a bare Windows does not have")
  endif()
  message(STATUS "imports ${dll}")
endforeach()
