#!/usr/bin/env bash
# The WebAssembly build with Debian's Emscripten: the platform tests and quarnel-render under
# Node, whose frames must equal the native program's, then the web page in a real headless
# Chromium driven by puppeteer-core.
set -euo pipefail
cd "$(dirname "$0")/../.."
jobs=$(nproc 2>/dev/null || echo 2)
scripts/install-deps.sh emscripten chromium
if ! command -v npm >/dev/null; then
    scripts/install-deps.sh npm
fi
# Emscripten's optimiser loads Debian's JavaScript modules, wherever node itself came from.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

scripts/build-web.sh --target test_platform test_webHost test_util test_scene quarnel-render
node build/emscripten/tests/test_platform.js --gtest_brief=1
node build/emscripten/tests/platform/host/web/test_webHost.js --gtest_brief=1
# The quick sines and the wave fields in the vector build: ten million arguments and fields
# against the correctly rounded values, and the sines' bits against their scalar build.
node build/emscripten/tests/test_util.js --gtest_brief=1
node build/emscripten/tests/test_scene.js --gtest_brief=1 --gtest_filter='WaveField*'
echo "platform, web host, sine and wave field tests passed under Node (WebAssembly)"

# The native frames come from the debug build that the dev stage made (or makes now).
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target quarnel-render
tests/web/compareRender.sh build/dev/tools/quarnel-render build/emscripten/tools/quarnel-render.js \
    flights

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ticks=20021122
build/dev/tools/quarnel-render --size 800x600 --ticks "$ticks" --flight flights/cruise.txt \
    --frames 60 --out "$work/f%03d.ppm" >/dev/null
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
node tests/web/browserTest.mjs build/web "$work" "$ticks" build/dev/tools/quarnel-render
