# Checks that every #include "folder/..." line points down the dependency direction:
#
#   control -> input -> render -> {sort, scrollbar} -> {core, resources} -> platform
#
# with apps/, bench/, adapters/ and examples/ above control/ and tests/ above everything. A
# file may include files of its own folder and of any folder below its own; folders on the same level (sort and
# scrollbar, core and resources) do not include each other. Paths with ".." are refused, since
# they would step around the rule. Include lines that name no source folder (system headers,
# a test's neighbour) are not the check's business.
#
#   cmake -DROOT=<source tree> [-DEXCLUDE=<regex>] -P scripts/check_include_direction.cmake
#
# EXCLUDE leaves out files whose path (relative to ROOT) matches, such as the check's own
# fixture trees, which break the rule on purpose.
# Exits with an error listing every include against the direction, or prints how many it read.

if(NOT DEFINED ROOT)
    message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P check_include_direction.cmake")
endif()
get_filename_component(ROOT "${ROOT}" ABSOLUTE)

# Level of each folder; higher levels may include lower ones.
set(level_platform 0)
set(level_core 1)
set(level_resources 1)
set(level_sort 2)
set(level_scrollbar 2)
set(level_render 3)
set(level_input 4)
set(level_control 5)
set(level_apps 6)
set(level_bench 6)
set(level_adapters 6)
set(level_examples 6)
set(level_tests 7)
set(folders platform core resources sort scrollbar render input control apps bench adapters examples tests)

set(violations "")
set(count 0)
foreach(folder ${folders})
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(source ${sources})
        if(DEFINED EXCLUDE AND source MATCHES "${EXCLUDE}")
            continue()
        endif()
        file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line ${lines})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" target "${line}")
            math(EXPR count "${count} + 1")
            if(target MATCHES "(^|/)\\.\\.(/|$)")
                list(APPEND violations "${source} includes ${target} (a path through ..)")
                continue()
            endif()
            string(REGEX MATCH "^[^/]+" to "${target}")
            if(NOT DEFINED level_${to} OR to STREQUAL folder)
                continue()
            endif()
            if(NOT level_${to} LESS level_${folder})
                list(APPEND violations "${source} includes ${target} (${folder}/ may not include ${to}/)")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " listed)
    message(FATAL_ERROR "includes against the dependency direction "
        "(control -> input -> render -> {sort, scrollbar} -> {core, resources} -> platform):\n  ${listed}")
endif()
message(STATUS "include direction: ${count} include lines read, all point down")
