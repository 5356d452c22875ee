#!/usr/bin/env bash
# Makes the program's icons from a frame it renders: quarnel-render flies the autopilot at
# 256x256 and its frame 368, a dense knot of structures, becomes hicolor/NxN/apps/quarnel.png
# at the usual sizes and quarnel.ico (for the Windows resources). The results are kept in the
# repository; run this again only to choose another frame.
#
# usage: data/icons/makeIcons.sh QUARNEL_RENDER
set -euo pipefail
render=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$render" --size 256x256 --ticks 20021122 --autopilot --frames 368 \
    --out "$work/f%03d.png" >/dev/null
frame=$work/f368.png
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$here/hicolor/${size}x${size}/apps"
    # Small sizes lose the one-pixel lines to averaging: a touch of contrast keeps them.
    convert "$frame" -filter Lanczos -resize "${size}x${size}" -level 0%,85% \
        -strip -define png:exclude-chunks=date,time "$here/hicolor/${size}x${size}/apps/quarnel.png"
done
convert "$frame" -define icon:auto-resize=256,128,64,48,32,24,16 -level 0%,85% "$here/quarnel.ico"
echo "icons written under $here"
