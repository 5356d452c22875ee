#!/usr/bin/env bash
# Builds the web page into build/web/ (index.html, quarnel.js, quarnel.wasm, the threaded
# quarnel-threads.*, the service worker, manifest and icon, the sample flights) with Debian's
# Emscripten, which it installs when run as root. The CMake build itself is build/emscripten
# (preset "web"), which also holds quarnel-render and the tests for Node; the threaded program
# is built in build/emscripten-threads.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh emscripten
# Emscripten's optimiser loads Debian's JavaScript modules, wherever node itself came from.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target quarnel-web "$@"
# The page's threaded program, for pages served cross-origin isolated: every object again with
# shared memory, in a build of its own.
threads=build/emscripten-threads
cmake --preset web -B "$threads" -DQUARNEL_WASM_THREADS=ON -DQUARNEL_TESTS=OFF >/dev/null
cmake --build "$threads" -j "$jobs" --target quarnel-web

out=build/web
rm -rf "$out"
mkdir -p "$out/flights"
cp build/emscripten/tools/quarnel.js build/emscripten/tools/quarnel.wasm "$out/"
cp "$threads"/tools/quarnel-threads.js "$threads"/tools/quarnel-threads.wasm \
    "$threads"/tools/quarnel-threads.worker.js "$out/"
cp tools/web/index.html tools/web/quarnelPage.js tools/web/serviceWorker.js \
    tools/web/manifest.webmanifest tools/web/icon.svg "$out/"
cp flights/*.txt "$out/flights/"
# The page's weight: what a first visit loads before the first frame.
bytes=0
for file in index.html quarnelPage.js quarnel.js quarnel.wasm; do
    bytes=$((bytes + $(stat -c %s "$out/$file")))
done
echo "build/web: index.html + quarnelPage.js + quarnel.js + quarnel.wasm = $bytes bytes"
