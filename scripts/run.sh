#!/usr/bin/env bash
# Sets up what is missing, builds the release and starts the demonstration in run/, where its
# prefs.txt is kept (written with 800 x 600 and speed 20 the first time). Escape or Q ends it.
# Without a display it renders a sample flight to PNG frames in run/flight/ instead, and an mp4
# of it when ffmpeg is installed.
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
rm -f run/flight.mp4
build/release/tools/quarnel-render --size 800x600 --ticks 2002 --flight flights/cruise.txt \
    --frames 120 --out run/flight/f%04d.png
echo "Frames: $root/run/flight/f0000.png ... f0120.png (800 x 600, PNG)"
if command -v ffmpeg >/dev/null; then
    # The flight's frames, without the start-up's black one, at 60 a second.
    ffmpeg -hide_banner -loglevel error -y -framerate 60 -start_number 1 \
        -i run/flight/f%04d.png -c:v libx264 -crf 16 -pix_fmt yuv420p run/flight.mp4
    echo "Video: $root/run/flight.mp4"
else
    echo "No video: ffmpeg is not installed (apt-get install ffmpeg)."
fi
