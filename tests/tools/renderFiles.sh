#!/usr/bin/env bash
# quarnel-render's PNG frames hold exactly the pixels of its PPM frames; a recording's header
# gives the size, ticks and speed of the replay; a bad header, a missing one or a malformed
# line is refused with status 2, naming the file and line, with nothing written.
set -euo pipefail
render=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    "$render" --ticks 4242 --flight "$source/flights/cruise.txt" --frames 6 "$@" >/dev/null
}
run --size 97x61 --out "$work/ppm/f%d.ppm"
run --size 97x61 --out "$work/png/f%d.png"
pairs=()
for n in 0 1 2 3 4 5 6; do
    pairs+=("$work/png/f$n.png" "$work/ppm/f$n.ppm")
done
python3 "$source/tests/tools/pngPixels.py" "${pairs[@]}"

# The header stands in for --size, --ticks and --speed; the command line still wins.
{
    echo "# quarnel flight: size 97x61 ticks 4242 speed 20"
    grep -v '^#' "$source/flights/cruise.txt" | head -n 6
} >"$work/recorded.txt"
"$render" --flight "$work/recorded.txt" --out "$work/header/f%d.ppm" >/dev/null
diff -r "$work/ppm" "$work/header"
"$render" --flight "$work/recorded.txt" --size 64x48 --frames 2 --out "$work/small/f%d.ppm" \
    >/dev/null
head -c 9 "$work/small/f1.ppm" | grep -q "64 48" || { echo "--size did not win"; exit 1; }
echo "header replay: the same frames as the command line's size, ticks and speed"

refuse() {
    local name=$1 want=$2 status=0
    shift 2
    printf '%s\n' "$@" >"$work/$name"
    "$render" --flight "$work/$name" --out "$work/o/f%d.ppm" >/dev/null 2>"$work/err" ||
        status=$?
    [ "$status" -eq 2 ] || { echo "$name: status $status, expected 2"; exit 1; }
    grep -qF "$work/$name:$want" "$work/err" || { echo "$name: $(cat "$work/err")"; exit 1; }
    [ ! -e "$work/o" ] || { echo "$name: something was written"; exit 1; }
    echo "$name refused: $(cat "$work/err")"
}
refuse size0.txt "2: bad header" "# recorded" "# quarnel flight: size 0x0 ticks 1 speed 20" "0 0 0"
refuse ticks.txt "1: bad header" "# quarnel flight: size 64x48 ticks soon speed 20" "0 0 0"
refuse nan.txt "1: bad header" "# quarnel flight: size 64x48 ticks 1 speed NaN" "0 0 0"
refuse missing.txt "1: no \"# quarnel flight:\" header" "0 0 0" "1 1 1"
refuse line.txt "3: expected" "# quarnel flight: size 64x48 ticks 1 speed 20" "0 0 0" "1 x 1"
