# tarvik-decode writing to a full disk stops with a message and status 2.
execute_process(COMMAND ${PROGRAM} --jobs ${JOBS} INPUT_FILE ${INPUT} OUTPUT_FILE /dev/full
                ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 2 OR NOT errors MATCHES "tarvik-decode: standard output: No space left on device")
  message(FATAL_ERROR "status ${status}, stderr:\n${errors}")
endif()
