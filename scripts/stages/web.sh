#!/usr/bin/env bash
# The WebAssembly build with Debian's Emscripten: the platform tests and quarnel-render under
# Node, whose frames must equal the native program's.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)
scripts/install-deps.sh emscripten
# Emscripten's optimiser loads Debian's JavaScript modules, wherever node itself came from.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target test_platform quarnel-render
node build/emscripten/tests/test_platform.js --gtest_brief=1
echo "platform tests passed under Node (WebAssembly)"

# The native frames come from the debug build that the dev stage made (or makes now).
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target quarnel-render
tests/web/compareRender.sh build/dev/tools/quarnel-render build/emscripten/tools/quarnel-render.js \
    flights
