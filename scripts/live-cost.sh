#!/usr/bin/env bash
# What a person's screen costs against the frame itself: `quarnel --autopilot` in a real SDL2
# window on a virtual X screen of the picture's own size, next to `quarnel-render --autopilot
# --benchmark` replaying the same flight, in the same run. Live frames are counted from
# --record, CPU from the processes' own accounting (/proc/PID/stat), the X server's too. Prints
# a table: live and headless CPU per frame, the X server's CPU per frame, frames per second live
# and the ratio live / headless. Benchmarks only: nothing here passes or fails on a figure.
#   scripts/live-cost.sh
# SIZES (default "1920x1080 3840x2160"), RENDERERS ("software default hack"; default is SDL's
# own choice, hack the XScreenSaver hack with -root), SECONDS_LIVE (live seconds per case,
# default 20). The headless run replays the live run's own recording, so both fly the same
# frames; the hack records nothing, so its row is set against quarnel-render's autopilot at the
# same size, the same kind of flight. BUILDS: build folders (each with quarnel and
# tools/quarnel-render) to measure in turn, case by case, for builds side by side in one run;
# by default build/release, built here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib/xvfb.sh

sizes=${SIZES:-1920x1080 3840x2160}
renderers=${RENDERERS:-software default hack}
seconds=${SECONDS_LIVE:-20}
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh xvfb xdotool >/dev/null
if [ -z "${BUILDS:-}" ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$jobs" --target quarnel quarnel-render >/dev/null
fi
builds=${BUILDS:-$root/build/release}
for build in $builds; do
    for program in quarnel tools/quarnel-render; do
        [ -x "$build/$program" ] || {
            echo "live-cost.sh: no $build/$program" >&2
            exit 1
        }
    done
done
quarnel=
render=
label= # the build of a row, when there are several

work=$(mktemp -d)
quarnelPid=
cleanUp() {
    [ -n "$quarnelPid" ] && kill "$quarnelPid" 2>/dev/null
    stopXvfb
    rm -rf "$work"
}
trap cleanUp EXIT

ticksPerSecond=$(getconf CLK_TCK)
# User and system CPU of a live process so far, in clock ticks.
cpuTicks() { # pid
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# Headless CPU per frame: the whole run's (bash's own accounting of the command) over its frames.
headlessMilliseconds() { # frames quarnel-render-options...
    local frames=$1
    shift
    TIMEFORMAT='%U %S'
    { time "$render" "$@" --benchmark >"$work/headless.txt"; } 2>"$work/time.txt" || {
        echo "quarnel-render $*: failed: $(head -n 1 "$work/time.txt")" >&2
        return 1
    }
    tail -n 1 "$work/time.txt" | awk -v f="$frames" '{ printf "%.3f", ($1 + $2) * 1000 / f }'
}

# The hack on the root window as the daemon starts it: its own -fps lines give frames per second
# and CPU per frame over five-second spans, of which the last is taken.
hackRow() { # size
    local size=$1 server xBefore xAfter line fps live head
    if ! startXvfb "$work" -screen 0 "${size}x24"; then
        echo "$size: Xvfb did not start" >&2
        return
    fi
    mkdir -p "$work/hack"
    "$quarnel" -root --size "$size" -fps >"$work/hack/out.txt" 2>"$work/hack/err.txt" &
    quarnelPid=$!
    sleep 2
    server=$(pgrep -P "$xvfbPid" -x Xvfb | head -n 1)
    xBefore=$(cpuTicks "$server")
    sleep $((seconds < 6 ? 6 : seconds))
    xAfter=$(cpuTicks "$server")
    kill "$quarnelPid" 2>/dev/null || true
    wait "$quarnelPid" 2>/dev/null || true
    quarnelPid=
    stopXvfb
    line=$(grep 'frames per second' "$work/hack/err.txt" | tail -n 1 || true)
    fps=$(echo "$line" | sed -n 's/^quarnel: \([0-9.]*\) frames per second.*/\1/p')
    live=$(echo "$line" | sed -n 's/.*CPU \([0-9.]*\) ms per frame.*/\1/p')
    if [ -z "$fps" ] || [ -z "$live" ]; then
        echo "$size hack: no frame rate was printed (see $work/hack/err.txt)" >&2
        return
    fi
    local frames
    frames=$(awk -v f="$fps" -v s="$seconds" 'BEGIN { printf "%d", f * s }')
    head=$(headlessMilliseconds "$frames" --autopilot --size "$size" --ticks 20020 \
        --frames "$frames") || return
    awk -v size="$size" -v live="$live" -v fps="$fps" -v head="$head" -v hz="$ticksPerSecond" \
        -v x="$((xAfter - xBefore))" -v s="$((seconds < 6 ? 6 : seconds))" 'BEGIN {
            xs = x * 1000 / hz / (fps * s)
            printf "%-10s %-9s %12.2f %12.2f %12.2f %10.1f %7.1fx\n", size, "hack", live, xs,
                head, fps, (head > 0 ? live / head : 0) }' | sed "s|\$|$label|"
}

printf '%-10s %-9s %12s %12s %12s %10s %8s\n' size renderer "live ms/f" "X ms/f" \
    "headless ms/f" "live fps" ratio
for size in $sizes; do
    for renderer in $renderers; do
        for build in $builds; do
            quarnel=$build/quarnel
            render=$build/tools/quarnel-render
            [ "$builds" = "$build" ] || label="  $build"
            if [ "$renderer" = hack ]; then
                hackRow "$size"
                continue
            fi
            if ! startXvfb "$work" -screen 0 "${size}x24"; then
                echo "$size: Xvfb did not start" >&2
                continue
            fi
            mkdir -p "$work/run"
            printf 'Resolution: %s\nSpeed: 20.000000\n' "$size" >"$work/run/prefs.txt"
            rm -f "$work/run/flight.txt"
            driver=()
            [ "$renderer" = default ] || driver=(env "SDL_RENDER_DRIVER=$renderer")
            (cd "$work/run" && exec "${driver[@]}" "$quarnel" --autopilot --record flight.txt \
                >out.txt 2>err.txt) &
            quarnelPid=$!
            sleep 2 # start-up: window, mode, first frames
            linesBefore=$(grep -vc '^#' "$work/run/flight.txt" 2>/dev/null || true)
            cpuBefore=$(cpuTicks "$quarnelPid")
            # startXvfb's process is the timeout that watches the server.
            server=$(pgrep -P "$xvfbPid" -x Xvfb | head -n 1)
            xBefore=$(cpuTicks "$server")
            sleep "$seconds"
            linesAfter=$(grep -vc '^#' "$work/run/flight.txt" 2>/dev/null || true)
            cpuAfter=$(cpuTicks "$quarnelPid")
            xAfter=$(cpuTicks "$server")
            xdotool key Escape 2>/dev/null || true
            sleep 1
            kill "$quarnelPid" 2>/dev/null || true
            wait "$quarnelPid" 2>/dev/null || true
            quarnelPid=
            stopXvfb
            # Headless: the same flight replayed from its recording.
            recorded=$(grep -vc '^#' "$work/run/flight.txt" || true)
            headless=$(headlessMilliseconds "${recorded:-1}" --flight "$work/run/flight.txt") ||
                continue
            liveFrames=$((${linesAfter:-0} - ${linesBefore:-0}))
            if [ "$liveFrames" -le 0 ]; then
                echo "$size $renderer: no frames were recorded (see $work/run/err.txt)" >&2
                continue
            fi
            awk -v size="$size" -v r="$renderer" -v f="$liveFrames" -v s="$seconds" \
                -v c="$((cpuAfter - cpuBefore))" -v x="$((xAfter - xBefore))" \
                -v hz="$ticksPerSecond" -v head="$headless" 'BEGIN {
                    live = c * 1000 / hz / f; xs = x * 1000 / hz / f
                    printf "%-10s %-9s %12.2f %12.2f %12.2f %10.1f %7.1fx\n", size, r, live, xs,
                        head, f / s, (head > 0 ? live / head : 0) }' | sed "s|\$|$label|"
        done
    done
done
echo "($(nproc) cores; $(uname -m); $(head -n 1 "$work/headless.txt" 2>/dev/null || true))"
