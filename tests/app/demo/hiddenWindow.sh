#!/usr/bin/env bash
# quarnel --autopilot in a window on Xvfb, unmapped for a while as a screensaver daemon or a
# window manager hides it, then covered whole by another window: while unseen it grows no frames
# (its recording, one step a frame, stands still) and takes next to no CPU; seen again, or
# covered only in part, it flies on, and the recording of the whole run replays frame for frame
# as the autopilot's flight that was never hidden.
#
# usage: hiddenWindow.sh path/to/quarnel path/to/quarnel-render
set -uo pipefail
source "$(dirname "$0")/demoScriptSetUp.sh" "$1"
render=$(realpath "$2")

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null ||
    ! command -v xmessage >/dev/null; then
    echo "SKIP: no Xvfb, xdotool or xmessage here (scripts/install-deps.sh installs xvfb" \
        "xdotool x11-utils)"
    exit $skipped
fi
if ! xvfbLifetime=150 startXvfb "$work" -screen 0 800x600x24 -br; then
    echo "SKIP: Xvfb did not start: $(cat "$work/xvfb.log")"
    exit $skipped
fi
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

flight=$work/run/flight.txt
mkdir -p "$work/run"
(cd "$work/run" && exec timeout -k 2 120 "$quarnel" --windowed --size 160x120 --autopilot \
    --record "$flight" >out.txt 2>err.txt) &
shellPid=$!

# The program's own pid (the timeout it runs under is its parent), its window, and what it has done so far:
# recorded steps (the file is flushed every second) and CPU clock ticks.
for _ in $(seq 100); do
    quarnelPid=$(pgrep -P "$shellPid" -x quarnel || true)
    [ -n "$quarnelPid" ] && window=$(xdotool search --pid "$quarnelPid" 2>/dev/null | tail -n 1)
    [ -n "${window:-}" ] && break
    sleep 0.1
done
[ -n "${window:-}" ] || fail "no window of quarnel's showed"
steps() {
    local count
    count=$(grep -vc '^#' "$flight" 2>/dev/null)
    echo "${count:-0}"
}
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$quarnelPid/stat"; }
waitSteps() { # at-least
    for _ in $(seq 200); do
        [ "$(steps)" -ge "$1" ] && return 0
        kill -0 "$quarnelPid" 2>/dev/null || fail "quarnel ended"
        sleep 0.1
    done
    fail "the recording did not reach $1 steps (it holds $(steps))"
}
waitSteps 30
echo "ok: flying in window $window, $(steps) steps recorded"

ticksPerSecond=$(getconf CLK_TCK)
# Unseen: one flush may still come as the loop goes to sleep; then nothing for three seconds.
# Awake it draws every frame; asleep it waits on the X connection. A tenth of a second in three
# covers a sanitized build's own threads waking.
expectAsleep() { # how
    sleep 1.5
    local steps0 ticks0 steps1 spent
    steps0=$(steps)
    ticks0=$(cpuTicks)
    sleep 3
    steps1=$(steps)
    spent=$(($(cpuTicks) - ticks0))
    [ "$steps1" -eq "$steps0" ] ||
        fail "$1, it grew frames: $steps0 steps, then $steps1 three seconds later"
    [ "$spent" -le $((ticksPerSecond / 10)) ] ||
        fail "$1, it took $spent of $ticksPerSecond CPU ticks a second over three seconds"
    echo "ok: $1 for 3 s: no frames grown ($steps1 steps), $spent CPU ticks spent"
}

xdotool windowunmap --sync "$window"
expectAsleep hidden
xdotool windowmap --sync "$window"
waitSteps $(($(steps) + 60))
echo "ok: shown again, it flies on ($(steps) steps)"

# Covered by a window of the whole screen's size (no window manager: the newest is on top),
# then only in part by one over its middle.
coverWith() { # geometry
    xmessage -geometry "$1" covering 2>/dev/null &
    coverPid=$!
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name '^xmessage$' >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    fail "the covering window did not show"
}
coverWith 800x600+0+0
expectAsleep "covered whole"
kill "$coverPid"
wait "$coverPid" 2>/dev/null
waitSteps $(($(steps) + 60))
echo "ok: uncovered, it flies on ($(steps) steps)"
coverWith 60x40+370+280
before=$(steps)
waitSteps $((before + 60))
echo "ok: covered in part, it flies on ($before, then $(steps) steps)"
kill "$coverPid"
wait "$coverPid" 2>/dev/null

xdotool windowfocus --sync "$window" 2>/dev/null
for _ in 1 2 3; do
    xdotool keydown Escape
    sleep 0.3
    xdotool keyup Escape
    stillRunning "$quarnelPid" 10 || break
done
wait "$shellPid"
status=$?
quarnelPid=
[ "$status" -eq 0 ] || fail "exit status $status after Escape, expected 0"

# The recording against the autopilot's own flight, rendered headless with the same seed.
read -r ticks speed < <(sed -n 's/^# quarnel flight: size [0-9x]* ticks \([0-9]*\) speed \(.*\)/\1 \2/p' "$flight")
[ -n "${speed:-}" ] || fail "the recording has no header: $(head -n 1 "$flight")"
frames=$(steps)
mkdir -p "$work/replay" "$work/never"
"$render" --flight "$flight" --frames "$frames" --out "$work/replay/f%05d.ppm" \
    >"$work/replay.txt" 2>&1 || fail "the replay failed: $(cat "$work/replay.txt")"
"$render" --autopilot --size 160x120 --ticks "$ticks" --speed "$speed" --frames "$frames" \
    --out "$work/never/f%05d.ppm" >"$work/never.txt" 2>&1 ||
    fail "the autopilot render failed: $(cat "$work/never.txt")"
differing=0
for f in "$work"/never/*.ppm; do
    cmp -s "$f" "$work/replay/${f##*/}" || differing=$((differing + 1))
done
[ "$differing" -eq 0 ] ||
    fail "$differing of $frames frames differ from the flight that was never hidden"
echo "ok: all $frames frames of the run hidden midway are those of the flight never hidden"
