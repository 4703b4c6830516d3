# Runs the transcript tool (under EMULATOR, when it is built for another machine) on ANSWERS, or on
# the route table TABLE, and fails unless its output is EXPECTED, byte for byte.
if(DEFINED TABLE)
    execute_process(COMMAND ${EMULATOR} ${TOOL} --table ${TABLE} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
    set(input ${TABLE})
else()
    execute_process(COMMAND ${EMULATOR} ${TOOL} INPUT_FILE ${ANSWERS} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
    set(input ${ANSWERS})
endif()
file(READ ${EXPECTED} expected)
if(NOT result EQUAL 0 OR NOT actual STREQUAL expected)
    message(FATAL_ERROR "Transcript of ${input} differs (exit ${result}).\n--- expected\n${expected}\n--- actual\n${actual}")
endif()
