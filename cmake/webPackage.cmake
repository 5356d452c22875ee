# CPack configuration of the web page's zip: static files for any web server, made by
# scripts/package.sh, which names the folder that holds them:
#   cpack --config cmake/webPackage.cmake -D CPACK_INSTALLED_DIRECTORIES="FOLDER;."
#         -D CPACK_PACKAGE_VERSION=V -D CPACK_PACKAGE_FILE_NAME=quarnel-V-web
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quarnel)
set(CPACK_PACKAGE_VENDOR "The Quarnel developers")
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DESCRIPTION "The Quarnel web page: a generative flight in WebAssembly")
