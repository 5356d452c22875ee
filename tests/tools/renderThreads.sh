#!/usr/bin/env bash
# The cruise flight at 1920x1080, 24 and 32 bits: every frame drawn with every hardware thread
# (and with three) must be the frame drawn on one thread.
#   renderThreads.sh RENDER FLIGHT
set -euo pipefail
render=$1
flight=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sums() { # name, options...
    local name=$1
    shift
    mkdir -p "$work/$name"
    "$render" --size 1920x1080 --ticks 20020 --flight "$flight" "$@" \
        --out "$work/$name/f%04d.ppm" >/dev/null
    (cd "$work/$name" && sha256sum ./*.ppm) >"$work/$name.sums"
    rm -rf "${work:?}/$name"
}

frames=0
for depth in 24 32; do
    sums "one-$depth" --depth "$depth" --threads 1
    sums "all-$depth" --depth "$depth"
    sums "three-$depth" --depth "$depth" --threads 3
    count=$(wc -l <"$work/one-$depth.sums")
    [ "$count" -gt 100 ] || { echo "only $count frames rendered" >&2; exit 1; }
    diff "$work/one-$depth.sums" "$work/all-$depth.sums"
    diff "$work/one-$depth.sums" "$work/three-$depth.sums"
    frames=$((frames + count))
done
echo "all $frames frames of $(basename "$flight") at 1920x1080, 24 and 32 bits, identical" \
    "with 1, all and 3 threads"
