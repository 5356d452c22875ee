# BUILD_SHARED_LIBS: the system and the layer as shared libraries, each with a SONAME and only
# the library's own functions exported. The headers carry no export marks, so the list of
# what to export is taken from the compiled objects just before the link: every strong global
# symbol they define (our functions and data with external linkage; file-local code is in
# anonymous namespaces already). Template and inline instantiations (weak symbols: the
# standard library's among them) and everything else stay local, through a version script.
# Before 1.0 a minor version may change the interfaces, so the SONAME carries major.minor.
set(QUARNEL_EXPORT_LIST_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/exportList.cmake)

# Installed programs find the libraries from where they lie, in bin/ or libexec/xscreensaver/,
# so that a prefix can be moved; a packager installing to /usr may clear CMAKE_INSTALL_RPATH.
include(GNUInstallDirs)
if(BUILD_SHARED_LIBS AND NOT WIN32 AND NOT APPLE AND NOT DEFINED CMAKE_INSTALL_RPATH)
    set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}"
                            "$ORIGIN/../../${CMAKE_INSTALL_LIBDIR}")
endif()

function(quarnel_library target)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "SHARED_LIBRARY")
        return()
    endif()
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
        VISIBILITY_INLINES_HIDDEN ON)
    if(WIN32 OR APPLE OR NOT CMAKE_NM)
        return()
    endif()
    set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}-exports.map)
    add_custom_command(TARGET ${target} PRE_LINK
        COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DOUTPUT=${map}
                "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:${target}>,|>"
                -P ${QUARNEL_EXPORT_LIST_SCRIPT}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        VERBATIM)
    target_link_options(${target} PRIVATE "LINKER:--version-script=${map}")
endfunction()
