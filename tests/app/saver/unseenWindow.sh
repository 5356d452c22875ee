#!/usr/bin/env bash
# The hack in a window a daemon made (the stand-in daemon's), unseen for a while: taken off the
# screen by its owner, then covered whole by another window. Meanwhile it takes next to no CPU;
# seen again it draws on; and SIGTERM while it sleeps ends it with status 0, as the daemon
# ends hacks whose window it has just taken away.
#
# usage: unseenWindow.sh path/to/quarnel path/to/standInDaemon
set -uo pipefail
source "$(dirname "$0")/../demo/demoScriptSetUp.sh" "$1"
daemon=$(realpath "$2")
failLogs=("$work/daemon.txt" "$work/err.txt" "$work/xvfb.log")

for tool in Xvfb xdotool xmessage; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: no $tool here (scripts/install-deps.sh installs xvfb xdotool x11-utils)"
        exit $skipped
    fi
done
if ! xvfbLifetime=120 startXvfb "$work" -screen 0 640x480x24 -br; then
    echo "SKIP: Xvfb did not start: $(cat "$work/xvfb.log")"
    exit $skipped
fi
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

timeout -k 2 100 "$daemon" 320x240+0+0 window-id "$quarnel" >"$work/daemon.txt" \
    2>"$work/err.txt" &
daemonPid=$!
for _ in $(seq 100); do
    grep -q '^window' "$work/daemon.txt" && break
    sleep 0.1
done
read -r _ window _ quarnelPid < <(grep '^window' "$work/daemon.txt")
[ -n "${quarnelPid:-}" ] || fail "the stand-in daemon started no hack"

ticksPerSecond=$(getconf CLK_TCK)
cpuTicks() { awk '{ print $14 + $15 }' "/proc/$quarnelPid/stat"; }
spentOver() { # seconds
    local before
    before=$(cpuTicks)
    sleep "$1"
    echo $(($(cpuTicks) - before))
}
expectAwake() { # how
    local spent
    spent=$(spentOver 2)
    [ "$spent" -ge $((ticksPerSecond / 10)) ] ||
        fail "$1, it took only $spent CPU ticks in two seconds: it does not draw"
    echo "ok: $1, it draws ($spent CPU ticks in 2 s)"
}
# A tenth of a second in three covers a sanitized build's own threads waking.
expectAsleep() { # how
    local spent
    sleep 1
    spent=$(spentOver 3)
    [ "$spent" -le $((ticksPerSecond / 10)) ] ||
        fail "$1, it took $spent of $ticksPerSecond CPU ticks a second over three seconds"
    echo "ok: $1 for 3 s: $spent CPU ticks spent"
}

sleep 2
expectAwake "in the daemon's window $window"
xdotool windowunmap --sync "$window"
expectAsleep "its window taken off the screen"
xdotool windowmap --sync "$window"
expectAwake "its window back"

xmessage -geometry 640x480+0+0 covering 2>/dev/null &
coverPid=$!
expectAsleep "covered whole"
kill "$coverPid"
wait "$coverPid" 2>/dev/null
expectAwake "uncovered"

# As the daemon deactivates: the window goes, then SIGTERM.
xdotool windowunmap --sync "$window"
sleep 1
kill -TERM "$quarnelPid"
stillRunning "$quarnelPid" 5 && fail "the hack still runs 5 s after SIGTERM"
wait "$daemonPid"
grep -q '^hack ended with status 0$' "$work/daemon.txt" ||
    fail "the hack ended badly: $(tail -n 1 "$work/daemon.txt")"
echo "ok: SIGTERM while it sleeps: hack ended with status 0"
