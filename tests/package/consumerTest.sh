#!/usr/bin/env bash
# The installed package as a library user meets it: this folder's project configured with
# find_package, and the same programs built with pkg-config, against the tree installed in
# PREFIX; each runs and its screenshots must equal, byte for byte, those of the in-tree
# examples in BUILD.
#
# usage: consumerTest.sh PREFIX BUILD
set -euo pipefail

prefix=$(realpath "$1")
build=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
examples=$(cd "$here/../../examples" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

for program in gallery firstProgram; do
    [ -x "$build/examples/$program" ] || fail "no in-tree $build/examples/$program"
done
mkdir -p "$work/tree"
(cd "$work/tree" && "$build/examples/gallery" . >/dev/null && "$build/examples/firstProgram" first.bmp)

# Runs the consumer's programs in $work/$1 and compares their pictures with the tree's.
compareWithTree() {
    local where=$work/$1
    local binaries=$2
    (cd "$where" && "$binaries/gallery" . >/dev/null && "$binaries/firstProgram" first.bmp)
    for picture in gallery24.bmp gallery8.bmp first.bmp; do
        [ -s "$where/$picture" ] || fail "$1: no $picture"
        cmp "$where/$picture" "$work/tree/$picture" || fail "$1: $picture differs from the tree's"
    done
    echo "ok: $1: gallery24.bmp, gallery8.bmp and first.bmp equal the in-tree examples' bytes"
}

# --- CMake: find_package(Quarnel 0.2 REQUIRED) and the Quarnel:: targets.
cmake -S "$here" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DQUARNEL_EXAMPLES="$examples" >"$work/configure.txt" 2>&1 ||
    { cat "$work/configure.txt"; fail "the consumer does not configure"; }
cmake --build "$work/cmake-build" -j 2 >"$work/build.txt" 2>&1 ||
    { cat "$work/build.txt"; fail "the consumer does not build"; }
built=
for program in gallery firstProgram firstProgram-sdl2; do
    [ -x "$work/cmake-build/$program" ] && built="$built $program"
done
echo "ok: find_package(Quarnel 0.2) configures and builds:$built"
mkdir -p "$work/cmake"
compareWithTree cmake "$work/cmake-build"
if [ -x "$work/cmake-build/firstProgram-sdl2" ]; then
    (cd "$work/cmake" && SDL_VIDEODRIVER=dummy QUARNEL_NO_MESSAGE_BOX=1 timeout -k 2 30 \
        "$work/cmake-build/firstProgram-sdl2" sdl2.bmp >/dev/null)
    cmp "$work/cmake/sdl2.bmp" "$work/tree/first.bmp" ||
        fail "cmake: the SDL2 host's first.bmp differs"
    echo "ok: cmake: the first program on the installed SDL2 host draws the same picture"
fi

# A version the package does not take is refused.
mkdir -p "$work/too-new"
cat >"$work/too-new/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.22)
project(TooNew LANGUAGES CXX)
find_package(Quarnel 0.3 REQUIRED)
CMAKE
if cmake -S "$work/too-new" -B "$work/too-new/build" -DCMAKE_PREFIX_PATH="$prefix" \
    >"$work/too-new.txt" 2>&1; then
    fail "find_package(Quarnel 0.3) accepted the installed $(grep -o 'PACKAGE_VERSION "[^"]*"' \
        "$prefix"/lib*/cmake/Quarnel/QuarnelConfigVersion.cmake | head -n1)"
fi
echo "ok: find_package(Quarnel 0.3) is refused by the 0.2 package"

# --- pkg-config: one command line per host, as a Makefile would write it. Programs linked
# against a shared build find its libraries as an installed system's would, by the loader's
# path (CMake's builds above carry the path in them).
libraryDir=$(dirname "$(find "$prefix" -name 'libquarnel.*' | head -n1)")
if [ -n "$(find "$libraryDir" -maxdepth 1 -name 'libquarnel.so*' | head -n1)" ]; then
    export LD_LIBRARY_PATH=$libraryDir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}
fi
headlessPc=$(find "$prefix" -name quarnel-headless.pc | head -n1)
[ -n "$headlessPc" ] || fail "no quarnel-headless.pc under $prefix"
PKG_CONFIG_PATH=$(dirname "$headlessPc")
export PKG_CONFIG_PATH
echo "ok: pkg-config: quarnel-headless $(pkg-config --modversion quarnel-headless)"
mkdir -p "$work/pkg-config" "$work/pkg-config-build"
for program in gallery firstProgram; do
    # shellcheck disable=SC2046 # the flags are words
    c++ -std=c++17 $(pkg-config --cflags quarnel-headless) \
        "$examples/$program/$program.cpp" -o "$work/pkg-config-build/$program" \
        $(pkg-config --libs quarnel-headless) || fail "pkg-config: $program does not build"
done
compareWithTree pkg-config "$work/pkg-config-build"
if pkg-config --exists quarnel-sdl2; then
    # shellcheck disable=SC2046
    c++ -std=c++17 $(pkg-config --cflags quarnel-sdl2) "$examples/firstProgram/firstProgram.cpp" \
        -o "$work/pkg-config-build/firstProgram-sdl2" $(pkg-config --static --libs quarnel-sdl2) ||
        fail "pkg-config: firstProgram-sdl2 does not build"
    (cd "$work/pkg-config" && SDL_VIDEODRIVER=dummy QUARNEL_NO_MESSAGE_BOX=1 timeout -k 2 30 \
        "$work/pkg-config-build/firstProgram-sdl2" sdl2.bmp >/dev/null)
    cmp "$work/pkg-config/sdl2.bmp" "$work/tree/first.bmp" ||
        fail "pkg-config: the SDL2 host's first.bmp differs"
    echo "ok: pkg-config --static quarnel-sdl2: the first program in a window, the same picture"
fi
