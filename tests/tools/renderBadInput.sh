#!/usr/bin/env bash
# quarnel-render on bad input: a flight that cannot be read or never ends a line is an error
# naming the file with nothing rendered, and the working folder goes on every way out.
set -euo pipefail
render=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
export TMPDIR="$work/tmp"

expectRefused() {
    local flight=$1
    local status=0
    timeout 60 "$render" --size 64x48 --ticks 1 --flight "$flight" --out "$work/o/f%d.ppm" \
        >/dev/null 2>"$work/err" || status=$?
    [ "$status" -eq 2 ] || { echo "--flight $flight: status $status, expected 2"; exit 1; }
    grep -qF "$flight" "$work/err" || { echo "--flight $flight: error names nothing"; exit 1; }
    [ ! -e "$work/o" ] || { echo "--flight $flight: frames rendered"; exit 1; }
    echo "--flight $flight refused: $(cat "$work/err")"
}
expectRefused "$work/tmp"
expectRefused /dev/zero

# Frame 1 cannot be written: a folder stands where its file would go.
mkdir -p "$work/o/f1.ppm"
status=0
"$render" --size 64x48 --ticks 1 --frames 3 --out "$work/o/f%d.ppm" >/dev/null 2>"$work/err" ||
    status=$?
[ "$status" -eq 1 ] && grep -q "cannot write" "$work/err" ||
    { echo "unwritable frame: status $status, $(cat "$work/err")"; exit 1; }
left=$(ls -A "$work/tmp")
[ -z "$left" ] || { echo "working folder left behind: $left"; exit 1; }
echo "cannot write: status 1, working folder removed"
