# The library as an installable package: `cmake --install <build> --prefix P` puts
#   P/include/quarnel/...   the headers, at the same relative paths as in src/, so that
#                           "raster/lines.h" and the library's own includes resolve with
#                           P/include/quarnel on the include path
#   P/lib/                  libquarnel.a (the system), libquarnel-compat.a (our Win32/DirectDraw
#                           layer), libquarnel-headless.a and libquarnel-sdl2.a (the hosts, for
#                           pkg-config), the hosts' objects (for CMake), the package files;
#                           with BUILD_SHARED_LIBS libquarnel.so.0.2 and libquarnel-compat.so.0.2
#   P/lib/cmake/Quarnel/    QuarnelConfig.cmake, its version file and the exported targets
#   P/lib/pkgconfig/        quarnel-headless.pc, quarnel-sdl2.pc
#   P/bin/                  quarnel, quarnel-render
#   P/share/doc/quarnel/    LICENSE, THIRD-PARTY-NOTICES
# In components: "runtime" (the programs, their data and documents) and "development" (the
# library). On Windows the runtime lies flat at the top, as a folder unpacked from a zip.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(quarnel_exported quarnel_system)
set_target_properties(quarnel_system PROPERTIES OUTPUT_NAME quarnel EXPORT_NAME system)
if(TARGET quarnel_compat)
    list(APPEND quarnel_exported quarnel_compat)
    set_target_properties(quarnel_compat PROPERTIES OUTPUT_NAME quarnel-compat
                                                    EXPORT_NAME compat)
endif()

# Each host: its object library for the CMake package (objects are always linked whole) and an
# archive of the same objects for pkg-config, which names it between --whole-archive and
# --no-whole-archive.
set(QUARNEL_PACKAGE_SDL2 FALSE)
set(quarnel_pc_files)
foreach(host headless sdl2)
    if(NOT TARGET quarnel_host_${host})
        continue()
    endif()
    list(APPEND quarnel_exported quarnel_host_${host})
    set_target_properties(quarnel_host_${host} PROPERTIES EXPORT_NAME ${host})
    add_library(quarnel_host_${host}_archive STATIC $<TARGET_OBJECTS:quarnel_host_${host}>)
    set_target_properties(quarnel_host_${host}_archive PROPERTIES OUTPUT_NAME quarnel-${host}
                                                                  LINKER_LANGUAGE CXX)
    install(TARGETS quarnel_host_${host}_archive ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            COMPONENT development)
    list(APPEND quarnel_pc_files quarnel-${host})
    if(host STREQUAL "sdl2")
        set(QUARNEL_PACKAGE_SDL2 TRUE)
    endif()
endforeach()

install(TARGETS ${quarnel_exported} EXPORT QuarnelTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
                NAMELINK_COMPONENT development
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT development
        OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/quarnel-objects COMPONENT development)
install(EXPORT QuarnelTargets NAMESPACE Quarnel::
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quarnel COMPONENT development)

# The headers: every subsystem's, the platform seam and our Win32/DirectDraw declarations, the
# host seam and the headless host's controls. The SDL2 host's own headers stay inside it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quarnel
        COMPONENT development
        FILES_MATCHING PATTERN "*.h"
        PATTERN "sdl2" EXCLUDE
        PATTERN "web" EXCLUDE)

configure_package_config_file(
    ${PROJECT_SOURCE_DIR}/cmake/QuarnelConfig.cmake.in
    ${PROJECT_BINARY_DIR}/QuarnelConfig.cmake
    INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quarnel)
# Before 1.0 a minor version may change the interfaces: 0.2 takes 0.2.x only.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuarnelConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QuarnelConfig.cmake
              ${PROJECT_BINARY_DIR}/QuarnelConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/Quarnel COMPONENT development)

# pkg-config files find the prefix from where they lie, so the tree can be moved.
file(RELATIVE_PATH QUARNEL_PC_PREFIX "/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/")
string(REGEX REPLACE "/$" "" QUARNEL_PC_PREFIX "${QUARNEL_PC_PREFIX}")
foreach(pc IN LISTS quarnel_pc_files)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc
            DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
endforeach()

if(WIN32)
    set(QUARNEL_INSTALL_PROGRAMS .)
    set(QUARNEL_INSTALL_DOCS .)
    set(QUARNEL_INSTALL_FLIGHTS flights)
else()
    set(QUARNEL_INSTALL_PROGRAMS ${CMAKE_INSTALL_BINDIR})
    set(QUARNEL_INSTALL_DOCS ${CMAKE_INSTALL_DATADIR}/doc/quarnel)
    set(QUARNEL_INSTALL_FLIGHTS ${CMAKE_INSTALL_DATADIR}/quarnel/flights)
endif()
foreach(program quarnel quarnel-render)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${QUARNEL_INSTALL_PROGRAMS}
                COMPONENT runtime)
    endif()
endforeach()

# The licence and the notices of what the programs contain of others'. Windows users open them
# with a double click, so there they are text files by name.
if(WIN32)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${QUARNEL_INSTALL_DOCS}
            RENAME LICENSE.txt COMPONENT runtime)
    install(FILES ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES DESTINATION ${QUARNEL_INSTALL_DOCS}
            RENAME THIRD-PARTY-NOTICES.txt COMPONENT runtime)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${QUARNEL_INSTALL_DOCS}
            COMPONENT runtime)
else()
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES
            DESTINATION ${QUARNEL_INSTALL_DOCS} COMPONENT runtime)
endif()
file(GLOB quarnel_flights ${PROJECT_SOURCE_DIR}/flights/*.txt)
install(FILES ${quarnel_flights} DESTINATION ${QUARNEL_INSTALL_FLIGHTS} COMPONENT runtime)
