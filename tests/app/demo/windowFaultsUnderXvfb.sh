#!/usr/bin/env bash
# quarnel's SDL2 window under the faults a desktop brings, on Xvfb with a real window manager
# (openbox), so that closing, minimising and resizing are the window manager's own:
#   the window manager's close (Alt+F4) ends the program with status 0 and leaves a recording
#   (--record) that quarnel-render replays; 100 minimise/restore cycles, windowed and full
#   screen, leave the frames going, and in an 8-bit program the palette on the screen right;
#   a storm of resizes in --windowed and 100 Alt+Enter switches end with the picture fitted
#   into the window; the X server going away ends the program within five seconds with a line
#   that says so; a soak of QUARNEL_SOAK_SECONDS (default 60) with random input holds memory flat.
#
# usage: windowFaultsUnderXvfb.sh path/to/quarnel path/to/quarnel-render path/to/paletteWindow
# Skipped (77) where Xvfb or openbox is missing.
set -uo pipefail
source "$(dirname "$0")/../../../scripts/lib/xvfb.sh"

quarnel=$(realpath "$1")
render=$(realpath "$2")
palette=$(realpath "$3")
soakSeconds=${QUARNEL_SOAK_SECONDS:-60}
skipped=77
work=$(mktemp -d)
programPid=
wmPid=

cleanUp() {
    [ -n "$programPid" ] && kill -KILL "$programPid" 2>/dev/null
    [ -n "$wmPid" ] && kill "$wmPid" 2>/dev/null
    stopXvfb
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanUp EXIT

fail() {
    echo "FAIL: $*"
    for f in "$work"/run/err.txt "$work"/xvfb.log "$work"/wm.log; do
        [ -s "$f" ] && { echo "--- $f"; tail -n 20 "$f"; }
    done
    exit 1
}

for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: no $tool here (scripts/install-deps.sh installs it)"
        exit $skipped
    fi
done
for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

# A server of its own for each part that ends it; the window manager on it.
startDesktop() {
    startXvfb "$work" -screen 0 1024x768x24 -br || fail "Xvfb did not start"
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wmPid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
        sleep 0.1
    done
    fail "openbox did not start"
}
stopDesktop() {
    kill "$wmPid" 2>/dev/null
    wait "$wmPid" 2>/dev/null
    wmPid=
    stopXvfb
}
unset WAYLAND_DISPLAY SDL_VIDEODRIVER QUARNEL_SCALE
# X11 and the OpenGL driver keep memory to the end (see quarnelUnderXvfb.sh).
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

mkdir -p "$work/run"
printf 'Resolution: 640x480\nSpeed: 20\n' >"$work/run/prefs.txt"

shot() { # name [window]
    timeout -k 2 20 import -window "${2:-root}" "ppm:$work/$1.ppm" || fail "no screenshot $1"
}
same() {
    cmp -s "$work/$1.ppm" "$work/$2.ppm"
}
brightShare() { # name [crop]
    timeout -k 2 20 convert "$work/$1.ppm" ${2:+-crop "$2" +repage} -colorspace gray \
        -threshold 10% -format '%[fx:mean]' info:
}
positive() {
    awk -v s="$1" 'BEGIN { exit !(s > 0.0005) }'
}
alive() {
    kill -0 "$programPid" 2>/dev/null
}

# Starts a program (its arguments, env first where needed) in $work/run and waits for its
# window and a lit picture in it; sets window.
startProgram() { # name command...
    local name=$1
    shift
    (cd "$work/run" && exec "$@" >out.txt 2>err.txt) &
    programPid=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        alive || fail "$name ended at start"
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window named $name"
    for _ in $(seq 60); do
        shot start
        positive "$(brightShare start)" && return
        alive || fail "$name ended at start"
        sleep 0.5
    done
    fail "$name: the screen stayed black"
}
# Waits up to ten seconds (or the tenths given) for the program's end; sets status.
awaitEnd() { # [tenths]
    for _ in $(seq "${1:-100}"); do
        alive || break
        sleep 0.1
    done
    alive && return 1
    wait "$programPid"
    status=$?
    programPid=
    return 0
}
endProgram() {
    kill -TERM "$programPid"
    awaitEnd || fail "still running ten seconds after SIGTERM"
    [ "$status" -eq 0 ] || fail "status $status after SIGTERM"
}
# Frames still coming: two screenshots half a second apart differ, and the picture is lit. A
# window just restored may take a moment to show frames again, and a screen restored to its
# mode may be caught black before its first frame: up to five seconds.
framesGoing() { # what
    local black=
    for _ in $(seq 10); do
        shot going1
        sleep 0.5
        shot going2
        if ! same going1 going2; then
            positive "$(brightShare going2)" && return
            black=yes
        fi
    done
    [ -z "$black" ] || fail "$1: the screen is black"
    fail "$1: the picture stands still ($(xprop -id "$window" WM_STATE _NET_WM_STATE | tr '\n\t' '  '))"
}
geometryOf() {
    xdotool getwindowgeometry --shell "$window" | tr '\n' ' '
}

startDesktop
echo "ok: Xvfb 1024x768 on $DISPLAY with openbox"

# --- The window manager's close: Alt+F4 is openbox's own key.
startProgram Quarnel "$quarnel" --windowed --record "$work/flight.txt"
xdotool mousemove --window "$window" 300 200 mousedown 1
sleep 1
xdotool mouseup 1 mousemove_relative -- 30 10
sleep 0.5
# A window the window manager has only just taken in may miss its first key on a busy machine:
# the close is asked up to three times.
for _ in 1 2 3; do
    xdotool windowactivate --sync "$window" key alt+F4
    awaitEnd 50 && break
done
[ -z "$programPid" ] || fail "still running fifteen seconds after the window manager's close"
[ "$status" -eq 0 ] || fail "status $status after the window manager's close"
steps=$(grep -vc '^#' "$work/flight.txt")
[ "$steps" -gt 0 ] || fail "the recording holds no steps"
mkdir -p "$work/replay"
"$render" --flight "$work/flight.txt" --out "$work/replay/f%04d.ppm" >"$work/replay.txt" 2>&1 ||
    fail "quarnel-render did not replay the recording: $(cat "$work/replay.txt")"
frames=$(find "$work/replay" -name '*.ppm' | wc -l)
[ "$frames" -gt "$steps" ] || fail "the replay wrote $frames frames for $steps steps"
echo "ok: the window manager's close ends it with status 0; its $steps-step recording replays ($frames frames)"

# --- Minimise and restore, 100 times each way.
minimiseCycles() { # what
    local i
    for i in $(seq 100); do
        xdotool windowminimize "$window"
        sleep 0.02
        xdotool windowactivate "$window" 2>/dev/null
        sleep 0.02
        alive || fail "$1: ended at minimise cycle $i"
    done
    # The last restore asked for is the window manager's to carry out: asked until it has.
    for _ in $(seq 20); do
        xdotool windowactivate "$window" 2>/dev/null
        sleep 0.3
        xprop -id "$window" WM_STATE | grep -q 'window state: Normal' && break
    done
    sleep 1
}
for mode in windowed "full screen"; do
    if [ "$mode" = windowed ]; then
        startProgram Quarnel "$quarnel" --windowed
    else
        startProgram Quarnel "$quarnel"
    fi
    minimiseCycles "$mode"
    framesGoing "$mode, after 100 minimise/restore cycles"
    endProgram
    echo "ok: $mode: 100 minimise/restore cycles, the frames still going"
done

# The 8-bit program: its bands must still show their palette's pure colours.
# The four bands in their colours. A window just restored to full screen may show a frame or
# two of its old geometry first: up to five seconds.
paletteRight() { # what
    local band colour expected=(red lime blue white) width height wrong
    for _ in $(seq 10); do
        shot palette "$window"
        width=$(convert "$work/palette.ppm" -format '%w' info:)
        height=$(convert "$work/palette.ppm" -format '%h' info:)
        wrong=
        for band in 0 1 2 3; do
            colour=$(convert "$work/palette.ppm" -crop \
                "1x1+$((width * (2 * band + 1) / 8))+$((height / 3))" +repage \
                -format '%[pixel:p{0,0}]' info:)
            want=$(convert xc:"${expected[$band]}" -format '%[pixel:p{0,0}]' info:)
            if [ "$colour" != "$want" ]; then
                wrong="band $band shows $colour, not ${expected[$band]}"
                break
            fi
        done
        [ -z "$wrong" ] && return
        sleep 0.5
    done
    fail "$1: $wrong"
}
for mode in windowed "full screen"; do
    if [ "$mode" = windowed ]; then
        startProgram "Quarnel palette" "$palette" --windowed
    else
        startProgram "Quarnel palette" "$palette"
    fi
    paletteRight "8-bit $mode, at the start"
    minimiseCycles "8-bit $mode"
    framesGoing "8-bit $mode, after 100 minimise/restore cycles"
    paletteRight "8-bit $mode, after 100 minimise/restore cycles"
    endProgram
    echo "ok: 8-bit $mode: 100 minimise/restore cycles, the frames going, the palette right"
done

# --- Resizes: a storm of them, then a last size; the picture fitted into it (640x480 in
# 900x500 is 667x500 from x = 116), black around it (a pixel or two of rounding allowed).
fittedIn() { # what width height
    local width=$2 height=$3 fitW fitH
    if [ $((width * 480)) -le $((height * 640)) ]; then
        fitW=$width
        fitH=$((width * 480 / 640))
    else
        fitH=$height
        fitW=$((height * 640 / 480))
    fi
    local x=$(((width - fitW) / 2)) y=$(((height - fitH) / 2))
    shot fitted "$window"
    local got
    got=$(convert "$work/fitted.ppm" -format '%wx%h' info:)
    [ "$got" = "${width}x${height}" ] || fail "$1: the window is $got, not ${width}x${height}"
    local outside
    outside=$(convert "$work/fitted.ppm" -fill black \
        -draw "rectangle $((x - 2)),$((y - 2)) $((x + fitW + 1)),$((y + fitH + 1))" \
        -format '%[fx:maxima]' info:)
    [ "$outside" = 0 ] || fail "$1: light outside ${fitW}x${fitH}+$x+$y in ${width}x${height}"
    positive "$(brightShare fitted "${fitW}x${fitH}+$x+$y")" || fail "$1: the picture is black"
}
startProgram Quarnel "$quarnel" --windowed
for i in $(seq 60); do
    xdotool windowsize "$window" $((200 + RANDOM % 800)) $((150 + RANDOM % 600))
    [ $((i % 10)) -eq 0 ] && sleep 0.05
done
xdotool windowsize --sync "$window" 900 500
sleep 1.5
alive || fail "the resizes ended the program"
fittedIn "after 60 resizes" 900 500
echo "ok: 60 resizes in a row, then 900x500: the picture fitted into it"

# --- Alt+Enter, 100 times: back in a window of the display mode's size (as every switch back
# from full screen makes it), the picture filling it.
xdotool windowactivate --sync "$window"
for i in $(seq 100); do
    xdotool key --window "$window" alt+Return
    sleep 0.05
    alive || fail "Alt+Enter $i ended the program"
done
sleep 1.5
window=$(xdotool search --onlyvisible --name Quarnel | head -n 1)
case "$(geometryOf)" in
*"WIDTH=640 HEIGHT=480"*) ;;
*) fail "after 100 Alt+Enter: $(geometryOf), not a 640x480 window" ;;
esac
fittedIn "after 100 Alt+Enter" 640 480
framesGoing "after 100 Alt+Enter"
endProgram
echo "ok: 100 Alt+Enter switches: back in a 640x480 window, the picture filling it, frames going"

# --- The X server going away, under a running program.
startProgram Quarnel "$quarnel"
kill "$wmPid" 2>/dev/null
stopXvfb
awaitEnd 50 || fail "still running five seconds after the X server went away"
grep -q 'the X display went away' "$work/run/err.txt" ||
    fail "the X server went away: no line says so: $(head -c 400 "$work/run/err.txt")"
echo "ok: the X server going away ends it (status $status) saying \"$(grep -m 1 'display went away' "$work/run/err.txt")\""
wmPid=

# --- A soak: random steering and buttons; the resident size after the first 20 s and at
# the end lie within 8 MB of each other.
startDesktop
startProgram Quarnel "$quarnel" --windowed
residentKb() { awk '/^VmRSS:/ { print $2 }' "/proc/$programPid/status"; }
start=$(date +%s)
early=
while [ $(($(date +%s) - start)) -lt "$soakSeconds" ]; do
    for _ in $(seq 20); do
        case $((RANDOM % 6)) in
        0) xdotool mousedown 1 ;;
        1) xdotool mouseup 1 ;;
        2) xdotool mousedown 3 ;;
        3) xdotool mouseup 3 ;;
        *) xdotool mousemove_relative -- $((RANDOM % 41 - 20)) $((RANDOM % 41 - 20)) ;;
        esac
    done
    sleep 0.2
    alive || fail "the soak ended the program"
    if [ -z "$early" ] && [ $(($(date +%s) - start)) -ge 20 ]; then
        early=$(residentKb)
    fi
done
xdotool mouseup 1 mouseup 3
late=$(residentKb)
endProgram
[ -n "$early" ] || fail "the soak was too short to sample (QUARNEL_SOAK_SECONDS under 20)"
growth=$((late - early))
[ "$growth" -le 8192 ] || fail "the soak grew from $early kB to $late kB"
echo "ok: a ${soakSeconds} s soak with random input: resident $early kB after 20 s, $late kB at the end"
