# Decodes a file of reports; passes when the program ends normally with
# status 0 or 1 (some reports rejected) and wrote a listing.
execute_process(COMMAND ${PROGRAM} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}
                ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status MATCHES "^[01]$")
  string(SUBSTRING "${errors}" 0 4000 errors)
  message(FATAL_ERROR "status ${status} decoding ${INPUT}\n${errors}")
endif()
file(SIZE ${OUTPUT} size)
if(size EQUAL 0)
  message(FATAL_ERROR "no listing for ${INPUT}")
endif()
