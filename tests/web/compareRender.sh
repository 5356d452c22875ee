#!/usr/bin/env bash
# quarnel-render built with Emscripten and run by Node gives the native program's frames, byte
# for byte: the same flight, size, seed and depth, every frame file compared.
# usage: compareRender.sh NATIVE_RENDER WASM_RENDER_JS FLIGHTS_FOLDER
set -euo pipefail
native=$1
wasm=$2
flights=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

compare() {
    local name=$1
    shift
    "$native" "$@" --out "$work/$name-native/f%03d.ppm" >/dev/null
    node "$wasm" "$@" --out "$work/$name-wasm/f%03d.ppm" >/dev/null
    local count
    count=$(find "$work/$name-native" -name '*.ppm' | wc -l)
    [ "$count" -gt 1 ] || { echo "$name: the native program wrote $count frames"; exit 1; }
    diff -r "$work/$name-native" "$work/$name-wasm" >/dev/null ||
        { echo "$name: frames differ between native and WebAssembly"; exit 1; }
    echo "$name: $count frames identical (native and WebAssembly under Node: $*)"
}

compare cruise --size 800x600 --ticks 1234 --flight "$flights/cruise.txt" --frames 60
compare reverse32 --size 640x480 --ticks 99 --depth 32 --flight "$flights/stop-and-reverse.txt" \
    --frames 40
compare odd --size 333x197 --ticks 4000000000 --speed 55.5 --flight "$flights/both-buttons.txt"
