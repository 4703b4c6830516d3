# Runs the transcript tool on ANSWERS (under EMULATOR, when it is built for another machine) and
# fails unless its output is EXPECTED, byte for byte.
execute_process(COMMAND ${EMULATOR} ${TOOL} INPUT_FILE ${ANSWERS} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
file(READ ${EXPECTED} expected)
if(NOT result EQUAL 0 OR NOT actual STREQUAL expected)
    message(FATAL_ERROR "Transcript of ${ANSWERS} differs (exit ${result}).\n--- expected\n${expected}\n--- actual\n${actual}")
endif()
