#!/usr/bin/env bash
# quarnel-render gives byte-identical frames at depth 24 and 32, and the same frames run after
# run.
set -euo pipefail
render=$1
flight=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    "$render" --size 320x240 --ticks 4242 --flight "$flight" --frames 12 "$@" >/dev/null
}
run --depth 24 --out "$work/a/f%03d.ppm"
run --depth 32 --out "$work/b/f%03d.ppm"
run --depth 24 --out "$work/c/f%03d.bmp"
run --depth 24 --out "$work/d/f%03d.bmp"

[ "$(ls "$work/a" | wc -l)" -eq 13 ] || { echo "expected 13 frames"; exit 1; }
diff -r "$work/a" "$work/b"
diff -r "$work/c" "$work/d"
# The flight moves the picture.
! cmp -s "$work/a/f005.ppm" "$work/a/f012.ppm"
echo "frames identical at both depths and across runs"
# A single frame ends after that frame too.
"$render" --size 64x48 --ticks 1 --frames 1 --out "$work/e/f%d.bmp" >/dev/null
[ "$(ls "$work/e" | wc -l)" -eq 2 ] || { echo "expected 2 files for one frame"; exit 1; }
# A % in the folder the pattern is relative to is a plain character of the name.
mkdir -p "$work/50%s"
(cd "$work/50%s" && "$render" --size 64x48 --ticks 1 --frames 2 --out "f%d.ppm" >/dev/null)
[ -f "$work/50%s/f2.ppm" ] || { echo "frames not written beside a % folder"; exit 1; }
