# Runs the transcript tool (under EMULATOR, when it is built for another machine) on ANSWERS, on
# the route table TABLE, or on the field file FIELD: its lines alone, or with ROUTE (a file holding
# the --route argument) the run of that route with ANSWERS for its heights. It fails unless the
# output is EXPECTED, byte for byte.
if(DEFINED FIELD AND DEFINED ROUTE)
    file(STRINGS ${ROUTE} route LIMIT_COUNT 1)
    execute_process(COMMAND ${EMULATOR} ${TOOL} --field ${FIELD} --route ${route} INPUT_FILE ${ANSWERS} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
    set(input ${ROUTE})
elseif(DEFINED FIELD)
    execute_process(COMMAND ${EMULATOR} ${TOOL} --field ${FIELD} OUTPUT_VARIABLE actual RESULT_VARIABLE result)
    set(input ${FIELD})
elseif(DEFINED TABLE)
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
