#!/usr/bin/env bash
# A long headless render holds its memory flat: quarnel-render (release build) flies FRAMES
# frames (default 100000) at 160x120 while its frames are deleted as they come, and its
# resident size at frame 10,000 and at the end must lie within LIMIT_KB (default 512) of
# each other. Prints both sizes. Takes a few minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${FRAMES:-100000}
limitKb=${LIMIT_KB:-512}
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target quarnel-render >/dev/null
render=$PWD/build/release/tools/quarnel-render

work=$(mktemp -d)
renderPid=
cleanUp() {
    [ -z "$renderPid" ] || kill "$renderPid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanUp EXIT
mkdir "$work/out"
"$render" --size 160x120 --ticks 20020 --frames "$frames" --out "$work/out/f%d.ppm" \
    >"$work/render.log" 2>&1 &
renderPid=$!

residentKb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$renderPid/status" 2>/dev/null || true
}
# The newest frame written; the frames are deleted as they come, so that the disk stays empty.
newestFrame() {
    find "$work/out" -name 'f*.ppm' -printf '%f\n' | sed 's/^f//; s/\.ppm$//' | sort -n |
        tail -n 1
}

early=
late=
while kill -0 "$renderPid" 2>/dev/null; do
    sleep 0.5
    newest=$(newestFrame)
    find "$work/out" -name 'f*.ppm' -delete
    [ -n "$newest" ] || continue
    rss=$(residentKb)
    [ -n "$rss" ] || continue
    if [ -z "$early" ] && [ "$newest" -ge 10000 ]; then
        early=$rss
        echo "frame $newest: resident $rss kB"
    fi
    if [ "$newest" -ge $((frames - 1000)) ]; then
        late=$rss
        lateFrame=$newest
    fi
done
status=0
wait "$renderPid" || status=$?
renderPid=
[ "$status" -eq 0 ] || { echo "quarnel-render failed ($status): $(cat "$work/render.log")"; exit 1; }
if [ -z "$early" ] || [ -z "$late" ]; then
    echo "no resident sizes sampled"
    exit 1
fi
echo "frame $lateFrame: resident $late kB"
tail -n 1 "$work/render.log"
growth=$((late - early))
echo "growth from frame 10000 on: $growth kB (limit $limitKb kB)"
[ "${growth#-}" -le "$limitKb" ]
