#!/usr/bin/env bash
# The packages as their users meet them (scripts/package.sh makes them in dist/, reusing the
# release, Windows and web builds of the other stages):
#   .deb: installed with apt-get, its programs run from /usr (quarnel --version, a few frames
#   from quarnel-render), the XScreenSaver hack and its settings where XScreenSaver looks, the
#   desktop entry and AppStream metadata validated, lintian without an error, a consumer built
#   against the installed library; then removed again, leaving nothing behind;
#   the library as a packager builds it (BUILD_SHARED_LIBS, QUARNEL_WERROR off, no tests):
#   installed into a temporary prefix, its shared libraries' SONAME and exports, a consumer
#   built against it with find_package and pkg-config;
#   Windows zip: unpacked, its files and resources there, quarnel.scr /s from it under Wine;
#   web zip: unpacked and served to the browser test.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
version=$(sed -n 's/^project(Quarnel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# Chromium and npm for the browser test of the web zip, which may come before the web stage.
scripts/install-deps.sh lintian desktop-file-utils appstream libxml2-utils unzip chromium
if ! command -v npm >/dev/null; then
    scripts/install-deps.sh npm
fi

# shellcheck source=../lib/checks.sh
source scripts/lib/checks.sh
# shellcheck source=../lib/xvfb.sh
source scripts/lib/xvfb.sh
# shellcheck source=../lib/wine.sh
source scripts/lib/wine.sh
# shellcheck source=../lib/screen.sh
source scripts/lib/screen.sh

work=$root/build/package-checks
rm -rf "$work"
mkdir -p "$work"

echo "=== packages ==="
scripts/package.sh
deb=$(ls dist/quarnel_"$version"_*.deb)
# The consumer's pictures are compared with the in-tree examples of the dev build.
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target gallery firstProgram quarnel-render

echo "=== the Debian package ==="
if lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1; then
    pass "lintian: no error in $(basename "$deb") ($(grep -c '^W:' "$work/lintian.txt" || true) warnings)"
else
    fail "lintian: $(grep '^E:' "$work/lintian.txt" | tr '\n' ' ')"
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "FAIL: installing the .deb needs root"
    exit 1
fi
if dpkg-query -W -f='${Status}' quarnel 2>/dev/null | grep -q "install ok installed"; then
    echo "FAIL: a quarnel package is installed already; this stage installs and removes its own"
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
atExit "apt-get remove -y -qq quarnel >/dev/null 2>&1"
apt-get install -y -qq --no-install-recommends "./$deb" >"$work/apt-install.txt" 2>&1 ||
    { cat "$work/apt-install.txt"; fail "apt-get install ./$deb"; }
text=$(/usr/bin/quarnel --version 2>&1) || true
if [ "$text" = "quarnel $version" ]; then
    pass "/usr/bin/quarnel --version: \"$text\""
else
    fail "/usr/bin/quarnel --version: \"$text\""
fi
mkdir -p "$work/frames"
if (cd "$work/frames" && /usr/bin/quarnel-render --size 320x240 --ticks 20020 \
    --flight /usr/share/quarnel/flights/cruise.txt --frames 4 --out 'f%d.png' >/dev/null) &&
    [ "$(find "$work/frames" -name 'f*.png' -size +1k | wc -l)" -eq 5 ]; then
    pass "/usr/bin/quarnel-render: 4 frames of the installed cruise flight (and the black one)"
else
    fail "/usr/bin/quarnel-render rendered $(find "$work/frames" -name 'f*.png' | wc -l) of 5 files"
fi
hack=/usr/libexec/xscreensaver/quarnel
xml=/usr/share/xscreensaver/config/quarnel.xml
if [ -x "$hack" ] && xmllint --noout "$xml" && grep -q '<screensaver name="quarnel"' "$xml"; then
    pass "the hack is $hack, its settings $xml (xmllint takes them)"
else
    fail "the hack ($hack) or its settings ($xml) are missing or not valid"
fi
desktop=/usr/share/applications/quarnel.desktop
if desktop-file-validate "$desktop" >"$work/desktop.txt" 2>&1 &&
    grep -qx 'Exec=quarnel --desktop' "$desktop" && [ ! -s "$work/desktop.txt" ]; then
    pass "desktop-file-validate $desktop: no remark"
else
    fail "desktop-file-validate $desktop: $(cat "$work/desktop.txt")"
fi
metainfo=/usr/share/metainfo/org.quarnel.Quarnel.metainfo.xml
if appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" 2>&1; then
    pass "appstreamcli validate $metainfo: $(tail -n 1 "$work/appstream.txt")"
else
    fail "appstreamcli validate $metainfo: $(cat "$work/appstream.txt")"
fi
icons=$(find /usr/share/icons/hicolor -path '*/apps/quarnel.png' | wc -l)
if [ "$icons" -ge 8 ] && [ -f /usr/share/man/man6/quarnel.6.gz ] &&
    [ -f /usr/share/man/man1/quarnel-render.1.gz ] && [ -f /usr/share/doc/quarnel/copyright ] &&
    [ -f /usr/share/doc/quarnel/LICENSE ] && [ -f /usr/share/doc/quarnel/THIRD-PARTY-NOTICES ]; then
    pass "$icons icon sizes, both manual pages, the copyright, licence and notices"
else
    fail "icons ($icons), manual pages or licence files missing"
fi
if tests/package/consumerTest.sh /usr build/dev >"$work/consumer-deb.txt" 2>&1; then
    pass "a consumer builds against the installed package ($(grep -c '^ok' "$work/consumer-deb.txt") checks)"
else
    cat "$work/consumer-deb.txt"
    fail "a consumer against the installed package"
fi
apt-get remove -y -qq quarnel >"$work/apt-remove.txt" 2>&1 || fail "apt-get remove quarnel"
left=$(ls -d /usr/bin/quarnel /usr/bin/quarnel-render "$hack" /usr/include/quarnel \
    /usr/lib/cmake/Quarnel /usr/share/quarnel 2>/dev/null || true)
if [ -z "$left" ]; then
    pass "apt-get remove quarnel leaves none of its files"
else
    fail "left after the removal: $left"
fi

echo "=== the library as a packager builds it: shared, warnings not errors ==="
shared=$root/build/package-shared
cmake -S . -B "$shared" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON \
    -DQUARNEL_WERROR=OFF -DQUARNEL_TESTS=OFF -DQUARNEL_BENCHMARKS=OFF \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} \
    >"$work/shared-configure.txt" 2>&1 || { cat "$work/shared-configure.txt"; exit 1; }
if grep -qi 'gtest\|googletest' "$shared/CMakeCache.txt"; then
    fail "the packager's build looked for GoogleTest"
else
    pass "the packager's build (QUARNEL_TESTS off) does not look for GoogleTest"
fi
cmake --build "$shared" -j "$jobs" >"$work/shared-build.txt" 2>&1 ||
    { tail -n 30 "$work/shared-build.txt"; exit 1; }
prefix=$work/prefix
cmake --install "$shared" --prefix "$prefix" >/dev/null
if tests/package/sharedLibraryTest.sh "$prefix" "$version" >"$work/shared-libs.txt" 2>&1; then
    sed 's/^/  /' "$work/shared-libs.txt"
    pass "the shared libraries: SONAME and exports"
else
    cat "$work/shared-libs.txt"
    fail "the shared libraries"
fi
if tests/package/consumerTest.sh "$prefix" build/dev >"$work/consumer-shared.txt" 2>&1; then
    sed 's/^/  /' "$work/consumer-shared.txt"
    pass "a consumer builds against the shared package"
else
    cat "$work/consumer-shared.txt"
    fail "a consumer against the shared package"
fi

echo "=== the Windows zips ==="
for arch in x86 x64; do
    zip=dist/quarnel-$version-windows-$arch.zip
    unpacked=$work/windows-$arch
    mkdir -p "$unpacked"
    unzip -q "$zip" -d "$unpacked"
    top=$unpacked/quarnel-$version-windows-$arch
    missing=
    for file in quarnel.exe quarnel.scr quarnel-render.exe README.md LICENSE.txt \
        THIRD-PARTY-NOTICES.txt flights/cruise.txt; do
        [ -f "$top/$file" ] || missing="$missing $file"
    done
    # The version and the screensaver's name are UTF-16 strings in the resources.
    for program in quarnel.exe quarnel.scr quarnel-render.exe; do
        [ -f "$top/$program" ] || continue
        strings -e l "$top/$program" >"$work/strings.txt"
        grep -qx "$version" "$work/strings.txt" && grep -qx 'Quarnel' "$work/strings.txt" ||
            missing="$missing $program's-version-resource"
    done
    if [ -z "$missing" ]; then
        pass "$(basename "$zip"): the programs with their version resources, flights, README, licence"
    else
        fail "$(basename "$zip"): missing$missing"
    fi
done

# The zip's screensaver as Windows starts it, in a fresh prefix on a virtual screen of the
# preferred size (Wine's DirectDraw offers only that); a key press ends it with status 0. The
# 32-bit zip where this machine runs 32-bit code, else the 64-bit one.
installWine
wineArchitectures
arch=${wineArchitectures[0]}
prefix=$work/wine-prefix-$arch
startXvfb "$work" -screen 0 800x600x24 || { echo "FAIL: Xvfb did not start"; exit 1; }
atExit stopXvfb
atExit stopWine "$prefix"
newWinePrefix "$arch" "$prefix"
saver=$work/windows-$arch/quarnel-$version-windows-$arch
xdotool mousemove 400 300
(cd "$saver" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.scr /s >"$work/scr-out.txt" \
    2>"$work/scr-err.txt") &
scrPid=$!
lit=$(waitLit "" "$work/scr.png")
sleep 1
xdotool keydown space
sleep 0.3
xdotool keyup space
status=0
wait "$scrPid" || status=$?
if isLit "$lit" && [ "$status" -eq 0 ]; then
    pass "quarnel.scr /s from the $arch zip under Wine: structures ($lit lit), status 0 on a key"
else
    fail "quarnel.scr /s from the $arch zip: $lit lit, status $status; see $work/scr.png, $work/scr-err.txt"
fi

echo "=== the web zip ==="
webZip=dist/quarnel-$version-web.zip
mkdir -p "$work/web"
unzip -q "$webZip" -d "$work/web"
page=$work/web/quarnel-$version-web
if [ -f "$page/index.html" ] && [ -f "$page/quarnel.wasm" ] && [ -f "$page/LICENSE" ]; then
    pass "$(basename "$webZip"): index.html, quarnel.wasm, the licence"
else
    fail "$(basename "$webZip"): $(ls "$page" 2>/dev/null | tr '\n' ' ')"
fi
ticks=20021122
build/dev/tools/quarnel-render --size 800x600 --ticks "$ticks" --flight flights/cruise.txt \
    --frames 60 --out "$work/f%03d.ppm" >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
if node tests/web/browserTest.mjs "$page" "$work" "$ticks" >"$work/browser.txt" 2>&1; then
    pass "the unpacked web zip passes the browser test ($(grep -c . "$work/browser.txt") lines)"
else
    cat "$work/browser.txt"
    fail "the browser test on the unpacked web zip"
fi

summary "package:"
