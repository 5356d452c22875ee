#!/usr/bin/env bash
# Every frame of the sample flights, rendered at 800x600 in 24 and 32 bits, must have the
# checksum recorded in frameChecksums.txt: the guard that keeps the picture byte-identical
# through changes of structure, speed or platform.
#   frameIdentity.sh RENDER SOURCE_DIR [RENDER_OPTION...]
# Options after the source folder go to every quarnel-render run (e.g. --threads 4).
# QUARNEL_RECORD_FRAMES=1 writes the list anew instead of comparing.
set -euo pipefail
render=$1
source=$2
shift 2
list=$source/tests/tools/frameChecksums.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

: >"$work/sums"
flights=0
for flight in "$source"/flights/*.txt; do
    name=$(basename "$flight" .txt)
    for depth in 24 32; do
        mkdir -p "$work/$name-$depth"
        "$render" --size 800x600 --depth "$depth" --ticks 20020 --flight "$flight" "$@" \
            --out "$work/$name-$depth/f%04d.ppm" >/dev/null
        (cd "$work" && sha256sum "$name-$depth"/*.ppm) >>"$work/sums"
        rm -rf "${work:?}/$name-$depth"
    done
    flights=$((flights + 1))
done
frames=$(wc -l <"$work/sums")
if [ "$flights" -eq 0 ] || [ "$frames" -eq 0 ]; then
    echo "no frames rendered from $source/flights" >&2
    exit 1
fi

if [ "${QUARNEL_RECORD_FRAMES:-0}" = 1 ]; then
    cp "$work/sums" "$list"
    echo "recorded $frames frame checksums of $flights flights in $list"
    exit 0
fi
if ! diff -u "$list" "$work/sums" >"$work/diff"; then
    head -40 "$work/diff" >&2
    echo "frames differ from $list: $(grep -c '^+[0-9a-f]' "$work/diff" || true) of $frames" >&2
    exit 1
fi
echo "all $frames frames of $flights flights at 800x600, 24 and 32 bits, match $list"
