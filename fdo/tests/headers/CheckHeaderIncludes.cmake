# Lists every header that SOURCE pulls in when compiled with only INCLUDE on
# the include path, and fails when one of them comes from a library the
# layer must keep to itself (FORBIDDEN, a regular expression on the path).
execute_process(
    COMMAND ${COMPILER} -std=c++20 -M -I${INCLUDE} ${SOURCE}
    OUTPUT_VARIABLE deps ERROR_VARIABLE errors RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "The public headers do not compile on their own:\n${errors}")
endif()
string(REGEX MATCHALL "[^ \\\\\n]*(${FORBIDDEN})[^ \\\\\n]*" leaked "${deps}")
if(leaked)
  list(REMOVE_DUPLICATES leaked)
  string(REPLACE ";" "\n  " leaked "${leaked}")
  message(FATAL_ERROR "Public headers of the layer include:\n  ${leaked}")
endif()
message(STATUS "No public header includes ${FORBIDDEN}")
