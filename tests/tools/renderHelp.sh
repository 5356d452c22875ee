#!/usr/bin/env bash
# quarnel-render --help: every option on standard output, nothing on standard error, status 0,
# wherever --help stands; a mistake still gets the usage on standard error with status 2.
set -uo pipefail
render=$1
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
status=0
for words in "--help" "--size 64x48 --help" "--frames banana --help"; do
    # shellcheck disable=SC2086
    "$render" $words >"$out" 2>"$err" || { status=$?; echo "$words: status $status"; exit 1; }
    [ ! -s "$err" ] || { echo "$words: said on standard error: $(cat "$err")"; exit 1; }
    for option in --size --ticks --speed --frames --depth --flight --autopilot --threads \
        --benchmark --paced --out --fps --pixel-format --help --version; do
        grep -q -- "^  $option " "$out" || { echo "$words: $option not listed"; exit 1; }
    done
done
"$render" --frames 0 >"$out" 2>"$err" || status=$?
[ "$status" -eq 2 ] && [ ! -s "$out" ] && grep -q "^usage:" "$err" ||
    { echo "a mistake: status $status, usage not on standard error alone"; exit 1; }
echo "quarnel-render --help: every option on standard output, status 0"
