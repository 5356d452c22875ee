# Packages made by CPack from this build (scripts/package.sh makes them all into dist/):
#   Linux: a Debian package of everything that installs, the programs and the library alike,
#   its dependencies computed by dpkg-shlibdeps;
#   Windows: a zip of the runtime component, the programs flat at its top.
# cmake/webPackage.cmake is the CPack configuration of the web page's zip.
set(CPACK_PACKAGE_NAME quarnel)
set(CPACK_PACKAGE_VENDOR "The Quarnel developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "generative real-time flight and software-graphics library")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# The maintainer the Debian package names; a packager sets their own.
set(QUARNEL_PACKAGE_CONTACT "The Quarnel developers <quarnel@example.org>"
    CACHE STRING "Maintainer of the Debian package")
set(CPACK_PACKAGE_CONTACT "${QUARNEL_PACKAGE_CONTACT}")
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/dist/;/\\\\.git/")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(quarnel_windows_arch x64)
    else()
        set(quarnel_windows_arch x86)
    endif()
    set(CPACK_PACKAGE_FILE_NAME quarnel-${PROJECT_VERSION}-windows-${quarnel_windows_arch})
    # The runtime only. quarnel-render.exe is built on our own layer, in another folder:
    # scripts/package.sh adds that folder's runtime to CPACK_INSTALL_CMAKE_PROJECTS.
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Quarnel;runtime;/")
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xscreensaver | xscreensaver-data")
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS "ffmpeg")
    set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
    # CPack puts the summary first and indents each line of this.
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
        "The camera flies through an endless lattice of cells; in each cell a
branching structure of thin lines grows from wave fields that drift every
frame, drawn in perspective and blended in a fog grey that shifts hue level
by level. The mouse steers and the buttons accelerate.

The package holds the program (also an XScreenSaver hack), quarnel-render,
which renders flights to image files or videos, sample flights, and the
DirectDraw-style software-graphics library under it: headers, static
libraries, CMake and pkg-config files.")
    # Debian's own documents: the copyright file and a changelog, in the package only.
    configure_file(${PROJECT_SOURCE_DIR}/cmake/debianChangelog.in
                   ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.gz
                       COMMAND gzip -9nf -k ${PROJECT_BINARY_DIR}/debian/changelog
                       DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog VERBATIM)
    add_custom_target(quarnel_debian_documents ALL
                      DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.gz)
    install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarnel COMPONENT debian EXCLUDE_FROM_ALL)
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/debianCopyright
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quarnel RENAME copyright
            COMPONENT debian EXCLUDE_FROM_ALL)
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};Quarnel;ALL;/"
                                     "${PROJECT_BINARY_DIR};Quarnel;debian;/")
endif()
include(CPack)
