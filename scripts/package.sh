#!/usr/bin/env bash
# Makes the release packages in dist/ with CPack:
#   quarnel_V_ARCH.deb             the programs, the XScreenSaver hack, the library, the desktop
#                                  entry, icons, AppStream metadata, manual pages (build/release)
#   quarnel-V-windows-x86.zip      quarnel.exe, quarnel.scr, quarnel-render.exe, the flights,
#   quarnel-V-windows-x64.zip      README, licence (build/windows-ARCH, build/windows-render-ARCH)
#   quarnel-V-web.zip              the web page as static files (build/web, scripts/build-web.sh)
# The builds are the test stages' own folders: what they have built already is reused.
# QUARNEL_PACKAGES="deb windows web" chooses which (default all three).
# As root it installs what is missing (MinGW-w64, Emscripten, dpkg-dev for the dependencies).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
version=$(sed -n 's/^project(Quarnel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
kinds=${QUARNEL_PACKAGES:-"deb windows web"}
dist=$root/dist
staging=$root/build/cpack
mkdir -p "$dist"
rm -rf "$staging"

# cpack CONFIG NAME [-D ...]: the package goes to dist/, CPack's working files stay in build/.
runCpack() {
    local config=$1 name=$2
    shift 2
    cpack --config "$config" -B "$staging/$name" "$@" >"$staging/$name.log" 2>&1 ||
        { cat "$staging/$name.log"; echo "cpack failed for $name" >&2; return 1; }
    find "$staging/$name" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \) \
        -exec mv -f {} "$dist/" \;
}
mkdir -p "$staging"

for kind in $kinds; do
    case $kind in
    deb)
        scripts/install-deps.sh dpkg-dev file
        cmake --preset release >/dev/null
        cmake --build --preset release -j "$jobs"
        rm -f "$dist"/quarnel_*.deb
        runCpack build/release/CPackConfig.cmake deb
        ;;
    windows)
        scripts/install-deps.sh g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
        for arch in x86 x64; do
            for preset in "windows-$arch" "windows-render-$arch"; do
                cmake --preset "$preset" >/dev/null
                cmake --build --preset "$preset" -j "$jobs"
            done
            rm -f "$dist/quarnel-$version-windows-$arch.zip"
            runCpack "build/windows-$arch/CPackConfig.cmake" "windows-$arch" -D \
                "CPACK_INSTALL_CMAKE_PROJECTS=$root/build/windows-$arch;Quarnel;runtime;/;$root/build/windows-render-$arch;Quarnel;runtime;/"
        done
        ;;
    web)
        scripts/build-web.sh
        page=$staging/web-page
        rm -rf "$page"
        mkdir -p "$page"
        cp -r build/web/. "$page/"
        cp LICENSE THIRD-PARTY-NOTICES "$page/"
        rm -f "$dist/quarnel-$version-web.zip"
        runCpack "$root/cmake/webPackage.cmake" web -D "CPACK_INSTALLED_DIRECTORIES=$page;." \
            -D "CPACK_PACKAGE_VERSION=$version" -D "CPACK_PACKAGE_FILE_NAME=quarnel-$version-web"
        ;;
    *)
        echo "unknown package kind \"$kind\" (deb, windows, web)" >&2
        exit 2
        ;;
    esac
done
echo "dist/:"
(cd "$dist" && ls -l -- *.deb *.zip 2>/dev/null | awk '{ print "  " $NF " (" $5 " bytes)" }')
