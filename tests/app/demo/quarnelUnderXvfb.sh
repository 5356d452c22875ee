#!/usr/bin/env bash
# quarnel on a virtual X server (Xvfb, 1024 x 768): it starts and shows structures, holds still
# without input (drift speed 0), steers with the mouse, flies forward while the left button is
# held, and ends with status 0 within a second of Escape. Without any display, a resolution the
# display refuses ends it with the DirectDraw error on standard error and status 1.
#
# usage: quarnelUnderXvfb.sh path/to/quarnel
# QUARNEL_DEMO_SCREENSHOT=file.png also keeps a screenshot of the running demonstration.
set -uo pipefail
source "$(dirname "$0")/demoScriptSetUp.sh" "$1"

# --- The refused resolution, on SDL's dummy driver: no display and no message box needed.
mkdir -p "$work/refused"
printf 'Resolution: 0x0\nSpeed: 20\n' >"$work/refused/prefs.txt"
(cd "$work/refused" && SDL_VIDEODRIVER=dummy timeout -k 2 30 "$quarnel" >out.txt 2>err.txt)
status=$?
[ "$status" -eq 1 ] || fail "0x0: exit status $status, expected 1"
grep -q 'DirectDraw error [0-9A-F]\{8\} @ 2403' "$work/refused/err.txt" ||
    fail "0x0: no 'DirectDraw error ... @ 2403' on standard error: $(cat "$work/refused/err.txt")"
[ "$(grep -c 'DirectDraw error' "$work/refused/err.txt")" -eq 1 ] ||
    fail "0x0: the error is written more than once: $(cat "$work/refused/err.txt")"
echo "ok: 0x0 ends with status 1 and '$(grep -o 'DirectDraw error.*' "$work/refused/err.txt")'"

# --- A virtual X server.
if ! command -v Xvfb >/dev/null; then
    echo "SKIP: no Xvfb here (scripts/install-deps.sh installs xvfb)"
    exit $skipped
fi
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
if ! xvfbLifetime=200 startXvfb "$work" -screen 0 1024x768x24 -br; then
    echo "SKIP: Xvfb did not start: $(cat "$work/xvfb.log")"
    exit $skipped
fi
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
echo "ok: Xvfb on $DISPLAY"
# On X, in a sanitized build: D-Bus, X11 and the OpenGL driver keep memory to the end, which
# LeakSanitizer would count. Our own code's leaks are checked on the dummy driver (above, and
# in test_sdl2Host); every other sanitizer finding still fails the run.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

shot() {
    timeout -k 2 20 import -window root "ppm:$work/$1.ppm" || fail "no screenshot $1"
}
same() {
    cmp -s "$work/$1.ppm" "$work/$2.ppm"
}
# Share of the screen brighter than a tenth of full scale.
brightShare() {
    timeout -k 2 20 convert "$work/$1.ppm" -colorspace gray -threshold 10% -format '%[fx:mean]' info:
}

# Starts quarnel in $work/run and waits until its picture is on the screen.
startQuarnel() {
    (cd "$work/run" && exec timeout -k 2 120 "$quarnel" >out.txt 2>err.txt) &
    quarnelPid=$!
    shown=
    for _ in $(seq 60); do
        sleep 0.5
        kill -0 "$quarnelPid" 2>/dev/null || fail "quarnel ended at start"
        shot start
        share=$(brightShare start)
        if awk -v s="$share" 'BEGIN { exit !(s > 0.001) }'; then
            shown=$share
            return
        fi
    done
    fail "the screen stayed black"
}

# --- The same on the X server, its message box turned off: it must not wait for anyone.
(cd "$work/refused" && QUARNEL_NO_MESSAGE_BOX=1 timeout -k 2 30 "$quarnel" >out.txt 2>err.txt)
status=$?
[ "$status" -eq 1 ] || fail "0x0 on X without a message box: exit status $status, expected 1"
echo "ok: QUARNEL_NO_MESSAGE_BOX keeps the fatal error from waiting"

# --- The demonstration, without drift: the picture changes only when the camera moves.
mkdir -p "$work/run"
printf 'Resolution: 800x600\nSpeed: 0\n' >"$work/run/prefs.txt"
startQuarnel
echo "ok: structures shown (bright share $shown)"
if [ -n "${QUARNEL_DEMO_SCREENSHOT:-}" ]; then
    convert "$work/start.ppm" "$QUARNEL_DEMO_SCREENSHOT" || fail "no $QUARNEL_DEMO_SCREENSHOT"
    echo "ok: screenshot in $QUARNEL_DEMO_SCREENSHOT"
fi

sleep 0.5
shot still1
sleep 0.5
shot still2
same still1 still2 || fail "the picture moved without input"
echo "ok: still without input"

xdotool mousemove_relative -- 40 0
sleep 0.5
shot steered
same still2 steered && fail "the mouse did not steer"
echo "ok: the mouse steers"

xdotool mousedown 1
sleep 0.5
shot flying1
sleep 0.3
shot flying2
xdotool mouseup 1
same steered flying1 && fail "the left button did not start a flight"
same flying1 flying2 && fail "no flight while the left button is held"
echo "ok: flies forward while the left button is held"

# A press and release within one pump can be missed, as on Windows: the key is held a while.
sleep 1
xdotool keydown Escape
sleep 0.3
xdotool keyup Escape
ended=
for _ in $(seq 10); do
    if ! kill -0 "$quarnelPid" 2>/dev/null; then
        ended=yes
        break
    fi
    sleep 0.1
done
[ -n "$ended" ] || fail "still running a second after Escape"
wait "$quarnelPid"
status=$?
quarnelPid=
[ "$status" -eq 0 ] || fail "exit status $status after Escape, expected 0"
echo "ok: Escape ends it with status 0"

# --- Closing: SIGTERM, which SDL turns into a quit, reaches the window as WM_CLOSE and ends the
# program through WM_DESTROY with status 0 (death by the signal itself would be 143).
if command -v pgrep >/dev/null; then
    startQuarnel
    program=$(pgrep -P "$quarnelPid" | head -n1)
    [ -n "$program" ] || fail "no quarnel process under its timeout"
    kill -TERM "$program"
    wait "$quarnelPid"
    status=$?
    quarnelPid=
    [ "$status" -eq 0 ] || fail "exit status $status after a close request, expected 0"
    echo "ok: a close request ends it with status 0"
else
    echo "note: no pgrep here, the close request is not tried"
fi
