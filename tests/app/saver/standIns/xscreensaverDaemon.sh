#!/usr/bin/env bash
# quarnel under XScreenSaver's own daemon (Debian's xscreensaver), as a user runs it: on Xvfb, a
# ~/.xscreensaver in a temporary home lists `quarnel -root` (the daemon passes it as --root) and
# the daemon runs as an ordinary user, since it starts no hack as root. Each cycle activates the
# saver (`xscreensaver-tellDaemon -activate`): a hack starts on every screen and draws structures
# on the daemon's window; then `-deactivate` takes the window away and SIGTERMs the hack, which
# must end with status 0 within a few seconds and leave no process. Twenty cycles with SDL's
# default renderer and twenty with SDL_RENDER_DRIVER=software, on one screen and on an X
# server of two screens.
#
# usage: xscreensaverDaemon.sh path/to/quarnel [cycles]
# Prints PASS:/FAIL: lines and "xscreensaver: N passed, M failed"; 77 when the daemon or Xvfb
# is missing (scripts/install-deps.sh xscreensaver installs it).
set -uo pipefail
root=$(cd "$(dirname "$0")/../../../.." && pwd)
source "$root/scripts/lib/checks.sh"
source "$root/scripts/lib/xvfb.sh"
source "$root/scripts/lib/screen.sh"

quarnel=$(realpath "$1")
cycles=${2:-20}
for tool in xscreensaver xscreensaver-command Xvfb import convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: no $tool here"
        exit 77
    fi
done

# Somewhere the daemon's user can reach: the hack, a stand-in for it on the PATH, the home.
work=$(mktemp -d)
chmod 755 "$work"
atExit 'rm -rf "$work"'
mkdir -p "$work/bin" "$work/home" "$work/ended"
cp "$quarnel" "$work/bin/quarnel-hack"
# Where the daemon looks for quarnel: the hack itself as a child, handed the daemon's SIGTERM,
# and a line "PID STATUS" for how it ended (the daemon keeps that to itself).
cat >"$work/bin/quarnel" <<'WRAPPER'
#!/bin/sh
"$(dirname "$0")/quarnel-hack" "$@" &
hack=$!
trap 'kill -TERM $hack' TERM
while :; do
    wait $hack
    status=$?
    kill -0 $hack 2>/dev/null || break
done
echo "$$ $status" >>"$QUARNEL_ENDED"
exit $status
WRAPPER
chmod 755 "$work/bin/quarnel"
# Hacks run at the daemon's own priority (nice 10 by default: on a busy machine that alone can
# make an ending take seconds).
cat >"$work/home/.xscreensaver" <<'SETTINGS'
timeout:	1:00:00
cycle:		0
lock:		False
fade:		False
unfade:		False
splash:		False
dpmsEnabled:	False
nice:		0
mode:		one
selected:	0
programs:	quarnel -root	\n
SETTINGS

# The daemon refuses to run hacks as root: as root, everything runs as nobody.
asUser=(env)
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$work/home" "$work/ended"
    asUser=(setpriv --reuid=65534 --regid=65534 --clear-groups env)
fi
user=$(stat -c %u "$work/home")
tellDaemon() {
    "${asUser[@]}" HOME="$work/home" DISPLAY="$display" xscreensaver-command "$@" \
        >>"$dir/command.txt" 2>&1
}

# The hacks a daemon's log says it started, one pid a line.
startedHacks() { # log
    sed -n 's/.*forked "quarnel --root" in pid \([0-9]*\) .*/\1/p' "$1"
}
endedStatus() { # pid
    sed -n "s/^$1 \([0-9]*\)\$/\1/p" "$work/ended/$name.txt" 2>/dev/null
}
# Processes of the hack (or its stand-in) still there, zombies not counted.
leftOver() {
    ps -u "$user" -o pid=,stat=,args= | awk '$2 !~ /^Z/ && /quarnel/ { print $1 }'
}

# Whatever a run leaves when the script ends early: its daemon and its server.
daemon=
server=
atExit 'kill -KILL $daemon $server 2>/dev/null'

# name renderer screens: one cycle after another until one fails.
runDaemon() {
    name=$1
    local renderer=$2 screens=$3 options=() s
    dir=$work/$name
    mkdir -p "$dir"
    for ((s = 0; s < screens; s++)); do
        options+=(-screen "$s" 640x480x24)
    done
    if ! startXvfb "$dir" "${options[@]}"; then
        fail "$name: Xvfb did not start: $(cat "$dir/xvfb.log")"
        return
    fi
    display=$DISPLAY
    server=$xvfbPid
    "${asUser[@]}" HOME="$work/home" DISPLAY="$display" PATH="$work/bin:$PATH" \
        QUARNEL_ENDED="$work/ended/$name.txt" ${renderer:+SDL_RENDER_DRIVER=$renderer} \
        xscreensaver -no-splash -verbose >"$dir/daemon.log" 2>&1 &
    daemon=$!
    local ready=
    for _ in $(seq 100); do
        if tellDaemon -version; then
            ready=yes
            break
        fi
        sleep 0.1
    done
    local cycle problem= slowest=0 dimmest=1 hacks=()
    [ -n "$ready" ] || problem="the daemon did not answer; see $dir/daemon.log"
    for ((cycle = 1; cycle <= cycles; cycle++)); do
        [ -z "$problem" ] || break
        local before
        before=$(startedHacks "$dir/daemon.log" | wc -l)
        tellDaemon -activate
        for _ in $(seq 100); do
            [ "$(startedHacks "$dir/daemon.log" | wc -l)" -ge $((before + screens)) ] && break
            sleep 0.1
        done
        mapfile -t hacks < <(startedHacks "$dir/daemon.log" | tail -n +$((before + 1)))
        if [ ${#hacks[@]} -ne "$screens" ]; then
            problem="cycle $cycle: ${#hacks[@]} hacks started for $screens screens"
            break
        fi
        for ((s = 0; s < screens; s++)); do
            local lit
            lit=$(DISPLAY=$display.$s waitLit "" "$dir/screen-$s.png")
            if ! isLit "$lit"; then
                problem="cycle $cycle: screen $s stayed black ($lit lit); see $dir/screen-$s.png"
                break 2
            fi
            dimmest=$(awk -v a="$dimmest" -v b="$lit" 'BEGIN { print (b < a ? b : a) }')
        done
        local start hack status
        start=$(nowMs)
        tellDaemon -deactivate
        for hack in "${hacks[@]}"; do
            for _ in $(seq 200); do
                [ -n "$(endedStatus "$hack")" ] && break
                sleep 0.05
            done
            status=$(endedStatus "$hack")
            if [ -z "$status" ]; then
                problem="cycle $cycle: hack $hack still running 10 s after -deactivate"
                break 2
            fi
            if [ "$status" -ne 0 ]; then
                problem="cycle $cycle: hack $hack ended with status $status after -deactivate"
                break 2
            fi
        done
        local took=$(($(nowMs) - start))
        [ "$took" -gt "$slowest" ] && slowest=$took
        sleep 0.2
        local left
        left=$(leftOver | tr '\n' ' ')
        if [ -n "$left" ]; then
            problem="cycle $cycle: processes left after -deactivate: $left"
        fi
    done
    tellDaemon -exit
    sleep 0.5
    # Whatever is left is ours: the daemon, hung hacks.
    local pid
    for pid in $daemon $(leftOver); do
        kill -KILL "$pid" 2>/dev/null
    done
    wait "$daemon" 2>/dev/null
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    daemon=
    server=
    if [ -z "$problem" ]; then
        pass "$name: $cycles cycles: each hack drew (at least $dimmest of each screen lit) and ended with status 0 within $slowest ms of -deactivate, no process left"
    else
        fail "$name: $problem"
        grep -a 'quarnel' "$dir/daemon.log" | grep -v forked | tail -n 3
    fi
}

runDaemon "one screen, default renderer" "" 1
runDaemon "one screen, software renderer" software 1
runDaemon "two screens, default renderer" "" 2
runDaemon "two screens, software renderer" software 2
summary "xscreensaver:"
