# Fails when docs/reference.md is not what `glv doc` prints now.
#   cmake -DGLV=<glv> -DREFERENCE=<docs/reference.md> -DOUT=<scratch file> -P check_reference.cmake
execute_process(COMMAND ${GLV} doc OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "glv doc failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${REFERENCE} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "docs/reference.md is stale: run scripts/gen-reference.sh (the current output is ${OUT})")
endif()
message(STATUS "docs/reference.md is up to date")
