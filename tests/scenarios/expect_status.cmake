# Runs `glv run SCENARIO` and passes when it exits with exactly STATUS and explains itself on
# standard error.
execute_process(COMMAND ${GLV} run ${SCENARIO} --out ${OUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result STREQUAL STATUS)
    message(FATAL_ERROR "expected exit status ${STATUS}, got ${result}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(err STREQUAL "")
    message(FATAL_ERROR "exit status ${STATUS} without a diagnostic on standard error")
endif()
message(STATUS "exit ${result}: ${err}")
