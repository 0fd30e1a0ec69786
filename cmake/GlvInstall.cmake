# Installing the library for other projects: the static library, the headers a host compiles
# against under include/glidelistview/ (so `#include "control/GlideListView.h"` reads the same
# in a host as in this tree), a CMake package exporting glidelistview::glidelistview with its
# dependencies, and a pkg-config file. The version is the project's, set once in project().
#
# The bitmaps the control draws are compiled into the library and its fonts come from
# fontconfig, so there are no data files to install.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/GlvPublicHeaders.cmake)

set(GLV_INCLUDE_SUBDIR ${CMAKE_INSTALL_INCLUDEDIR}/glidelistview)
set(GLV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/glidelistview)

# What a host includes itself: the control, its collections, events and records, and the
# platform pieces it drives (form, clock, system info, surface, fonts, pictures, image lists,
# the property bag it saves the control to).
set(GLV_PUBLIC_HEADERS
    control/GlideListView.h control/Collections.h
    core/Events.h core/EventRecorder.h core/Records.h
    platform/Platform.h platform/Container.h platform/Form.h platform/Clock.h
    platform/SystemInfo.h platform/Surface.h platform/StdFont.h platform/StdPicture.h
    platform/Image.h platform/ImageList.h platform/ImageListObject.h platform/PropertyBag.h
    platform/Version.h platform/VirtualKeys.h)
glv_public_header_closure(GLV_INSTALL_HEADERS ${PROJECT_SOURCE_DIR} ${GLV_PUBLIC_HEADERS})
foreach(header ${GLV_INSTALL_HEADERS})
    get_filename_component(dir ${header} DIRECTORY)
    install(FILES ${header} DESTINATION ${GLV_INCLUDE_SUBDIR}/${dir})
endforeach()

install(TARGETS glidelistview EXPORT glidelistviewTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${GLV_INCLUDE_SUBDIR})
install(EXPORT glidelistviewTargets NAMESPACE glidelistview:: DESTINATION ${GLV_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/glidelistviewConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/glidelistviewConfig.cmake INSTALL_DESTINATION ${GLV_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/glidelistviewConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/glidelistviewConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/glidelistviewConfigVersion.cmake
        DESTINATION ${GLV_CMAKE_DIR})

# The .pc file finds the prefix from its own place, so an install with --prefix (or a moved
# tree) stays usable.
file(RELATIVE_PATH GLV_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" GLV_PC_TO_PREFIX "${GLV_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/glidelistview.pc.in
    ${CMAKE_CURRENT_BINARY_DIR}/glidelistview.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/glidelistview.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
