#!/usr/bin/env bash
# Sets up what is missing, builds the release and starts the demonstration in run/, where its
# prefs.txt is kept (written with 800 x 600 and speed 20 the first time). Escape or Q ends it.
# Without a display it renders a sample flight to image files in run/flight/ instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if ! scripts/install-deps.sh; then
    echo "run.sh: going on with what is installed" >&2
fi

hasDisplay=yes
if [ "$(uname -s)" = Linux ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    hasDisplay=
fi

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
if [ -n "$hasDisplay" ]; then
    cmake --build --preset release -j "$jobs" --target quarnel
    mkdir -p run
    cd run
    exec "$root/build/release/quarnel" "$@"
fi

# No display: a flight through the same frame loop on the headless host, frame by frame.
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): rendering a sample flight instead."
cmake --build --preset release -j "$jobs" --target quarnel-render
rm -rf run/flight
mkdir -p run/flight
build/release/tools/quarnel-render --size 800x600 --ticks 2002 --flight flights/cruise.txt \
    --frames 120 --out run/flight/f%04d.ppm
echo "Frames: $root/run/flight/f0000.ppm ... f0120.ppm (800 x 600, PPM)"
if command -v convert >/dev/null; then
    for frame in 0030 0060 0090 0120; do
        convert "run/flight/f$frame.ppm" "run/flight/f$frame.png"
    done
    echo "As PNG: $root/run/flight/f0030.png, f0060.png, f0090.png, f0120.png"
fi
