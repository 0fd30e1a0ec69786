# Runs one fuzz target for RUNS inputs over its corpus. libFuzzer adds what it finds to the
# first corpus folder it is given, so that is a scratch folder in the build tree; a crash or a
# leak leaves its input there too (crash-*, leak-*) and fails the test.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/found)
execute_process(COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=65536 -timeout=60 -rss_limit_mb=4096
                        -artifact_prefix=${WORK}/ ${WORK}/found ${CORPUS}
                RESULT_VARIABLE result ERROR_VARIABLE log)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fuzzer exit ${result}\n${log}")
endif()
string(REGEX MATCH "Done [0-9]+ runs in [0-9]+ second" done "${log}")
message(STATUS "${done}")
