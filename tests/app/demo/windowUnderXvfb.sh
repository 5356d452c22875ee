#!/usr/bin/env bash
# quarnel's window choices on a virtual X server of 1920 x 1080 without a window manager:
# bad values are told and end with status 2 or fall back; QUARNEL_SCALE=integer shows a
# 640 x 480 picture twice over (1280 x 960) centred, its pixels doubled; --windowed opens a
# 640 x 480 window; Alt+Enter toggles it to the whole screen and back while the program runs.
#
# usage: windowUnderXvfb.sh path/to/quarnel
set -uo pipefail
source "$(dirname "$0")/demoScriptSetUp.sh" "$1"

mkdir -p "$work/run"
printf 'Resolution: 640x480\nSpeed: 0\n' >"$work/run/prefs.txt"

# --- Bad command-line values: a clear line and status 2, before any window.
badValue() {
    local expected=$1
    shift
    (cd "$work/run" && SDL_VIDEODRIVER=dummy timeout -k 2 20 "$quarnel" "$@" >out.txt 2>err.txt)
    local status=$?
    [ "$status" -eq 2 ] || fail "$*: exit status $status, expected 2"
    grep -q -- "$expected" "$work/run/err.txt" ||
        fail "$*: no '$expected' on standard error: $(cat "$work/run/err.txt")"
    [ "$(wc -l <"$work/run/err.txt")" -eq 1 ] || fail "$*: more than one line"
    echo "ok: $* ends with status 2 and '$(cat "$work/run/err.txt")'"
}
badValue '--fps takes a whole number from 1 to 1000, not "0"' --fps 0
badValue '--fps takes a whole number' --fps sixty
badValue '--display takes a whole number from 0 to 255, not "-1"' --display -1
badValue '--scale takes fit or integer, not "banana"' --scale banana
badValue '--fps needs a value' --windowed --fps

if ! command -v Xvfb >/dev/null; then
    echo "SKIP: no Xvfb here (scripts/install-deps.sh installs xvfb)"
    exit $skipped
fi
for tool in xdotool import convert compare; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
if ! xvfbLifetime=220 startXvfb "$work" -screen 0 1920x1080x24 -br; then
    echo "SKIP: Xvfb did not start: $(cat "$work/xvfb.log")"
    exit $skipped
fi
unset WAYLAND_DISPLAY SDL_VIDEODRIVER QUARNEL_SCALE
echo "ok: Xvfb 1920x1080 on $DISPLAY"
# X11 and the OpenGL driver keep memory to the end (see quarnelUnderXvfb.sh).
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

shot() {
    timeout -k 2 20 import -window root "ppm:$work/$1.ppm" || fail "no screenshot $1"
}
# Share of the screen (or of a crop WxH+X+Y) brighter than a tenth of full scale.
brightShare() {
    timeout -k 2 20 convert "$work/$1.ppm" ${2:+-crop "$2" +repage} -colorspace gray \
        -threshold 10% -format '%[fx:mean]' info:
}
positive() {
    awk -v s="$1" 'BEGIN { exit !(s > 0.0005) }'
}

# Starts quarnel with the given arguments (environment before it via env) and waits until its
# picture shows.
startQuarnel() {
    (cd "$work/run" && exec timeout -k 2 150 "$@" >out.txt 2>err.txt) &
    quarnelPid=$!
    for _ in $(seq 60); do
        sleep 0.5
        kill -0 "$quarnelPid" 2>/dev/null || fail "quarnel ended at start"
        shot start
        if positive "$(brightShare start)"; then
            return
        fi
    done
    fail "the screen stayed black"
}

# Escape ends it with status 0. The key is held until the program has gone: a press and
# release within one frame can be missed, as on Windows, and a sanitized build's frames are slow.
endQuarnel() {
    xdotool mousemove 960 540
    xdotool keydown Escape
    for _ in $(seq 100); do
        kill -0 "$quarnelPid" 2>/dev/null || break
        sleep 0.1
    done
    xdotool keyup Escape
    kill -0 "$quarnelPid" 2>/dev/null && fail "still running ten seconds after Escape"
    wait "$quarnelPid"
    local status=$?
    quarnelPid=
    [ "$status" -eq 0 ] || fail "exit status $status after Escape, expected 0"
}

# --- Integer scaling: 640 x 480 twice over in 1920 x 1080 is 1280 x 960 at 320, 60.
startQuarnel env QUARNEL_SCALE=integer "$quarnel"
sleep 0.5
shot integer
outside=$(convert "$work/integer.ppm" -fill black -draw "rectangle 320,60 1599,1019" \
    -format '%[fx:maxima]' info:)
[ "$outside" = 0 ] || fail "integer: light outside 1280x960+320+60 (maximum $outside)"
convert "$work/integer.ppm" -crop 1280x960+320+60 +repage "$work/picture.ppm"
convert "$work/picture.ppm" -sample 640x480 -sample 1280x960 "$work/resampled.ppm"
cmp -s <(convert "$work/picture.ppm" rgb:-) <(convert "$work/resampled.ppm" rgb:-) ||
    fail "integer: the picture's pixels are not 2x2 blocks from 320,60"
# Where the lit part lies, for the record.
box=$(convert "$work/integer.ppm" -threshold 10% -format '%@' info:)
echo "ok: integer scaling: black outside 1280x960+320+60, pixels doubled, lit area $box"
endQuarnel
echo "ok: Escape ends it with status 0"

# --- A bad QUARNEL_SCALE and a display that does not exist: told, and the program runs fitted
# on display 0.
startQuarnel env QUARNEL_SCALE=banana "$quarnel" --display 99
grep -q 'QUARNEL_SCALE is fit or integer, not "banana"; fitting' "$work/run/err.txt" ||
    fail "QUARNEL_SCALE=banana: no message: $(cat "$work/run/err.txt")"
grep -q 'there is no display 99 (1 found, counted from 0); using display 0' \
    "$work/run/err.txt" || fail "--display 99: no message: $(cat "$work/run/err.txt")"
shot fitted
# Fitted, 640 x 480 fills the height: 1440 x 1080 at 240, 0.
outside=$(convert "$work/fitted.ppm" -fill black -draw "rectangle 240,0 1679,1079" \
    -format '%[fx:maxima]' info:)
[ "$outside" = 0 ] || fail "fitted: light outside 1440x1080+240+0"
endQuarnel
echo "ok: QUARNEL_SCALE=banana and --display 99 are told; fitted on display 0; status 0"

# --- A window of the chosen size, Alt+Enter to the whole screen and back.
geometry() {
    local id
    id=$(xdotool search --onlyvisible --name 'Quarnel' | head -n1)
    [ -n "$id" ] || fail "no visible window named Quarnel"
    xdotool getwindowgeometry --shell "$id" | tr '\n' ' '
}
expectGeometry() {
    local got
    for _ in $(seq 20); do
        got=$(geometry)
        case "$got" in *"$1"*) return ;; esac
        sleep 0.2
    done
    fail "$2: window geometry $got, expected $1"
}
startQuarnel "$quarnel" --windowed
expectGeometry "X=640 Y=300 WIDTH=640 HEIGHT=480" "--windowed"
shot windowed
outside=$(convert "$work/windowed.ppm" -fill black -draw "rectangle 640,300 1279,779" \
    -format '%[fx:maxima]' info:)
[ "$outside" = 0 ] || fail "--windowed: light outside the window"
positive "$(brightShare windowed 640x480+640+300)" || fail "--windowed: the window is black"
echo "ok: --windowed opens a 640x480 window centred, the picture in it"

xdotool mousemove 960 540
xdotool key alt+Return
expectGeometry "X=0 Y=0 WIDTH=1920 HEIGHT=1080" "Alt+Enter"
sleep 0.5
shot whole
kill -0 "$quarnelPid" 2>/dev/null || fail "Alt+Enter ended the program"
positive "$(brightShare whole 1440x1080+240+0)" || fail "Alt+Enter: the picture is gone"
echo "ok: Alt+Enter covers the screen, the picture fitted into it"

xdotool key alt+Return
expectGeometry "WIDTH=640 HEIGHT=480" "Alt+Enter again"
sleep 0.5
shot back
positive "$(brightShare back 640x480+640+300)" || fail "Alt+Enter again: the picture is gone"
echo "ok: Alt+Enter again: back to the 640x480 window, the picture in it"
endQuarnel
echo "ok: Escape ends it with status 0"
