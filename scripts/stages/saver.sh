#!/usr/bin/env bash
# The screensavers, as their daemons start them, on a virtual X server:
#   X11: a stand-in XScreenSaver daemon makes a window and runs `quarnel -window-id` into it:
#   structures show in the window, SIGTERM ends the hack with status 0 in under a second;
#   -root with XSCREENSAVER_WINDOW draws into that window; a window that grows gets the picture
#   fitted into it again; -window opens a window of its own;
#   an id that names no window ends with a clear message and status 1; -fps says the frame rate
#   every 5 seconds, and -delay 100000 keeps the frames to at most ten a second; xmllint takes
#   data/xscreensaver/quarnel.xml. XScreenSaver's own daemon then runs `quarnel -root` on one
#   screen and on two, twenty times each, and each deactivation ends the hack with status 0
#   (tests/app/saver/standIns/xscreensaverDaemon.sh).
#   Windows (Wine, real DirectDraw): quarnel.scr /s shows structures and ends with status 0 on
#   a key press and on a mouse move, keeping its settings in %APPDATA%\Quarnel; /p HWND draws
#   into a stand-in control panel's window and ends when that window is destroyed; /c shows the
#   settings dialog, which Escape (its Cancel) closes; bad handles end with status 1; on a
#   640x480 display /s flies at that size instead of its preferences' 800x600, with no box;
#   on two monitors /s flies on the primary and keeps the other black while it runs, a mouse
#   moved towards that one or a key ends it, and the other shows the desktop again afterwards.
# Reuses the dev and Windows build folders of the other stages (builds what is missing).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source scripts/lib/checks.sh
source scripts/lib/xvfb.sh
source scripts/lib/screen.sh
source scripts/lib/wine.sh

installWine libx11-dev libxml2-utils xscreensaver xserver-xephyr

jobs=$(nproc 2>/dev/null || echo 2)
echo "=== builds (reused when up to date) ==="
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target quarnel standInDaemon
buildWindows() { # preset
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$jobs" --target quarnel previewHost monitorList
}
buildWindows windows-x86

work=$root/build/saver
rm -rf "$work"
mkdir -p "$work"
prefix=
atExit 'stopWine "$prefix"'
atExit stopXvfb

echo "=== XScreenSaver settings file ==="
xml=data/xscreensaver/quarnel.xml
if xmllint --noout "$xml" 2>"$work/xmllint.txt" && grep -q '<screensaver name="quarnel"' "$xml" &&
    grep -q '<command arg="-root"/>' "$xml" && grep -q 'arg="-speed %"' "$xml" &&
    grep -q 'arg="-delay %"' "$xml" && grep -q 'arg-set="-fps"' "$xml"; then
    pass "xmllint accepts $xml (name quarnel, -root, -speed and -delay sliders, -fps)"
else
    fail "$xml: $(cat "$work/xmllint.txt")"
fi

# Wine's DirectDraw offers only the X screen's own size: the saver's preferences say the same.
if ! startXvfb "$work" -screen 0 1024x768x24; then
    echo "Xvfb did not start; see $work/xvfb.log" >&2
    exit 1
fi
echo "Xvfb on $DISPLAY"

echo "=== the X11 hack ==="
quarnel=$root/build/dev/quarnel
daemon=$root/build/dev/standInDaemon

# Starts the stand-in daemon in $work/NAME with a window at AREA and the hack in it; sets
# daemonPid, hackPid and window (the daemon's window id), or fails and returns 1.
startHack() { # name area how [options...]
    local name=$1 area=$2 how=$3 dir=$work/$1
    shift 3
    mkdir -p "$dir"
    (cd "$dir" && exec timeout -k 5 60 "$daemon" "$area" "$how" "$quarnel" "$@" \
        >daemon.txt 2>err.txt) &
    daemonPid=$!
    hackPid=
    window=
    for _ in $(seq 100); do
        read -r window hackPid < <(sed -n 's/^window \([0-9a-fx]*\) hack \([0-9]*\)$/\1 \2/p' \
            "$dir/daemon.txt" 2>/dev/null) || true
        [ -n "$hackPid" ] && return 0
        sleep 0.1
    done
    fail "$name: the stand-in daemon did not start the hack; see $dir/err.txt"
    wait "$daemonPid" || true
    return 1
}

# The daemon's way: a window, the hack drawing into it, SIGTERM when the screen unblanks.
runHack() { # name area how [options...]
    local name=$1 area=$2 dir=$work/$1
    startHack "$@" || return 0
    local lit
    lit=$(waitLit "$area" "$dir/window.png")
    if isLit "$lit"; then
        pass "$name: structures in the daemon's window ($lit of it lit)"
    else
        fail "$name: the daemon's window stayed black ($lit lit); see $dir/window.png, $dir/err.txt"
    fi
    local start status=0
    start=$(nowMs)
    kill -TERM "$hackPid"
    wait "$daemonPid" || status=$?
    local took=$(($(nowMs) - start))
    if [ "$status" -eq 0 ] && [ "$took" -lt 1000 ] && grep -q 'ended with status 0' "$dir/daemon.txt"; then
        pass "$name: SIGTERM ended the hack with status 0 in $took ms"
    else
        fail "$name: after SIGTERM: $(tail -n 1 "$dir/daemon.txt") (status $status) in $took ms"
    fi
}
runHack window-id 320x240+0+0 window-id -size 320x240 -speed 20
runHack root-in-xscreensaver-window 400x300+500+100 environment -root -speed 40

# The daemon's window grows, as when the screen gets a new size: the picture is fitted into the
# whole of it again (the quarter it did not cover before lights up), not left in its corner.
checkResize() {
    local dir=$work/resize before after
    startHack resize 320x240+0+0 window-id -size 320x240 -speed 20 || return 0
    before=$(waitLit 320x240+0+0 "$dir/before.png")
    xdotool windowsize "$window" 640 480
    after=$(waitLit 320x240+320+240 "$dir/after.png")
    kill -TERM "$hackPid"
    wait "$daemonPid" || true
    if isLit "$before" && isLit "$after"; then
        pass "resize: 320x240 grown to 640x480: the picture fills it (its far quarter $after lit)"
    else
        fail "resize: before $before lit, the far quarter after growing $after; see $dir/after.png"
    fi
}
checkResize

# A window id that names no window.
status=0
"$quarnel" -window-id 0x7ffffff >"$work/bad-id.txt" 2>&1 || status=$?
if [ "$status" -eq 1 ] && grep -q 'no X window 0x7ffffff' "$work/bad-id.txt"; then
    pass "-window-id 0x7ffffff: \"$(head -n 1 "$work/bad-id.txt")\", status 1"
else
    fail "-window-id 0x7ffffff: status $status, said: $(cat "$work/bad-id.txt")"
fi
status=0
"$quarnel" -window-id banana >"$work/bad-word.txt" 2>&1 || status=$?
if [ "$status" -eq 1 ] && grep -q 'X window id' "$work/bad-word.txt"; then
    pass "-window-id banana: \"$(head -n 1 "$work/bad-word.txt")\", status 1"
else
    fail "-window-id banana: status $status, said: $(cat "$work/bad-word.txt")"
fi

# -window: a window of its own, for trying the hack.
"$quarnel" -window -size 320x240 >"$work/own.txt" 2>&1 &
ownPid=$!
ownWindow=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quarnel' 2>/dev/null | head -n 1 || true)
if [ -n "$ownWindow" ]; then
    sleep 2
    import -window "$ownWindow" "$work/own.png"
    lit=$(convert "$work/own.png" -fill white +opaque black -format "%[fx:mean]" info:)
    geometry=$(xdotool getwindowgeometry "$ownWindow" | sed -n 's/ *Geometry: //p')
    if isLit "$lit"; then
        pass "-window: a $geometry window of its own with structures ($lit lit)"
    else
        fail "-window: its window stayed black; see $work/own.png"
    fi
else
    fail "-window: no window named Quarnel appeared; see $work/own.txt"
fi
kill -TERM "$ownPid" 2>/dev/null || true
status=0
wait "$ownPid" || status=$?
[ "$status" -eq 0 ] || fail "-window: status $status after SIGTERM"

# -fps and -delay, counted by --stats over the same time: with 100 ms waits after each frame,
# 6.5 seconds hold at most 66 frames whatever the machine's load, and fewer than without.
paced() { # name options...
    local name=$1
    shift
    timeout -s TERM 6.5 "$quarnel" -window -size 320x240 -fps --stats "$@" >"$work/$name.txt" 2>&1
    sed -n 's/^quarnel: \([0-9]*\) frames; .*/\1/p' "$work/$name.txt"
}
plainFrames=$(paced fps)
delayedFrames=$(paced delay -delay 100000)
fpsLine=$(grep -m 1 -E '^quarnel: [0-9]+\.[0-9] frames per second, CPU [0-9]+\.[0-9]{3} ms per frame$' \
    "$work/fps.txt" || true)
if [ -n "$fpsLine" ]; then
    pass "-fps: \"$fpsLine\" after 5 seconds"
else
    fail "-fps: no frame rate line; said: $(cat "$work/fps.txt")"
fi
if [ -n "$plainFrames" ] && [ -n "$delayedFrames" ] && [ "$delayedFrames" -le 66 ] &&
    [ "$delayedFrames" -lt "$plainFrames" ]; then
    pass "-delay 100000: $delayedFrames frames in 6.5 s against $plainFrames without"
else
    fail "-delay 100000: ${delayedFrames:-no count} frames in 6.5 s against ${plainFrames:-no count} without; see $work/delay.txt"
fi

echo "=== the X11 hack under XScreenSaver's own daemon ==="
countChecks < <(tests/app/saver/standIns/xscreensaverDaemon.sh "$quarnel")

echo "=== quarnel.scr under Wine ==="
# 32-bit Windows where this machine runs it, else 64-bit.
wineArchitectures || { fail "no Windows programs can run here"; summary "saver:"; }
arch=${wineArchitectures[0]}
if [ "$arch" != x86 ]; then
    echo "32-bit Windows programs do not run here: the 64-bit build is used"
    buildWindows windows-x64
fi
build=$root/build/windows-$arch
prefix=$work/prefix-$arch
newWinePrefix "$arch" "$prefix"
wineCommand "$arch" "$prefix"
if [ -f "$build/quarnel.scr" ]; then
    pass "$(basename "$build"): the build made quarnel.scr"
else
    fail "$(basename "$build"): no quarnel.scr"
fi
appData=$("${wineRun[@]}" cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
appData=$("${wineRun[@]}" winepath -u "$appData" 2>/dev/null)
mkdir -p "$appData/Quarnel"
printf 'Resolution: 1024x768\nSpeed: 20.000000\n' >"$appData/Quarnel/prefs.txt"
echo "settings in $appData/Quarnel/prefs.txt"

# /s with the ending given: a key held briefly, or a mouse move.
runFullScreen() { # name how
    local name=$1 how=$2 dir=$work/$1
    mkdir -p "$dir"
    cp "$build/quarnel.scr" "$dir/"
    xdotool mousemove 512 384
    (cd "$dir" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.scr /s >out.txt 2>err.txt) &
    local pid=$! lit
    lit=$(waitLit 1024x768+0+0 "$dir/screen.png")
    sleep 1
    if [ "$how" = key ]; then
        xdotool keydown space
        sleep 0.3
        xdotool keyup space
    else
        xdotool mousemove_relative -- 40 30
    fi
    local status=0
    wait "$pid" || status=$?
    if isLit "$lit"; then
        pass "$name: /s shows structures ($lit of the screen lit)"
    else
        fail "$name: /s left the screen black ($lit lit); see $dir/screen.png, $dir/err.txt"
    fi
    if [ "$status" -eq 0 ]; then
        pass "$name: /s ended with status 0 on the $how"
    else
        fail "$name: /s exit status $status after the $how (124: still running)"
    fi
    if [ -e "$dir/prefs.txt" ]; then
        fail "$name: /s wrote prefs.txt into its working folder"
    fi
}
runFullScreen saver-key key
runFullScreen saver-mouse "mouse move"

# /p: the stand-in control panel's window at the top-left corner.
dir=$work/preview
mkdir -p "$dir"
cp "$build/quarnel.scr" "$build/previewHost.exe" "$dir/"
(cd "$dir" && exec timeout -k 5 90 "${wineRun[@]}" previewHost.exe 12 quarnel.scr >out.txt 2>err.txt) &
hostPid=$!
lit=$(waitLit 320x240+0+0 "$dir/window.png")
status=0
wait "$hostPid" || status=$?
if isLit "$lit"; then
    pass "/p HWND: structures in the given window ($lit of it lit)"
else
    fail "/p HWND: the given window stayed black ($lit lit); see $dir/window.png, $dir/err.txt"
fi
if [ "$status" -eq 0 ] && grep -q 'ended with status 0' "$dir/out.txt"; then
    pass "/p HWND: the preview ended with status 0 when its window was destroyed"
else
    fail "/p HWND: $(tr -d '\r' <"$dir/out.txt" | tail -n 1) (status $status)"
fi

# /c: the dialog shows the settings and Escape, its Cancel, closes it without writing.
dir=$work/settings
mkdir -p "$dir"
cp "$build/quarnel.scr" "$dir/"
before=$(cat "$appData/Quarnel/prefs.txt")
(cd "$dir" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.scr /c >out.txt 2>err.txt) &
pid=$!
dialog=$(timeout 30 xdotool search --sync --name '^Quarnel settings$' 2>/dev/null | head -n 1 || true)
if [ -n "$dialog" ]; then
    sleep 1
    import -window "$dialog" "$dir/dialog.png" || true
    # There is no window manager to give the dialog the focus: it is given by hand.
    for _ in 1 2 3; do
        xdotool windowfocus "$dialog" 2>/dev/null || true
        xdotool key --window "$dialog" Escape 2>/dev/null || true
        sleep 1
        kill -0 "$pid" 2>/dev/null || break
    done
fi
status=0
wait "$pid" || status=$?
if [ -n "$dialog" ] && [ "$status" -eq 0 ] && [ "$before" = "$(cat "$appData/Quarnel/prefs.txt")" ]; then
    pass "/c: the settings dialog showed and closed on Cancel (Escape), status 0, file untouched"
else
    fail "/c: dialog ${dialog:-never shown}, status $status; see $dir/err.txt"
fi

# Handles that name no window.
for words in "/p 12x" "/p:0" "/P 4000000"; do
    status=0
    # shellcheck disable=SC2086 # the words are split on purpose
    (cd "$work" && timeout -k 5 30 "${wineRun[@]}" "$build/quarnel.scr" $words >bad.txt 2>bad-err.txt) ||
        status=$?
    said=$(tr -d '\r' <"$work/bad-err.txt" | grep -a 'quarnel:' | head -n 1)
    if [ "$status" -eq 1 ] && [ -n "$said" ]; then
        pass "$words: \"$said\", status 1"
    else
        fail "$words: status $status, said \"$said\""
    fi
done

# /s on a display smaller than the saver's preferences: it flies at the desktop's size, says so
# on standard error, shows no error box and ends with status 0 on a key.
stopWine "$prefix"
stopXvfb
if startXvfb "$work" -screen 0 640x480x24; then
    printf 'Resolution: 800x600\nSpeed: 20.000000\n' >"$appData/Quarnel/prefs.txt"
    dir=$work/saver-640x480
    mkdir -p "$dir"
    cp "$build/quarnel.scr" "$dir/"
    xdotool mousemove 320 240
    (cd "$dir" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.scr /s >out.txt 2>err.txt) &
    pid=$!
    lit=$(waitLit 640x480+0+0 "$dir/screen.png")
    sleep 1
    box=$(xdotool search --name '^Oh sod it$' 2>/dev/null | head -n 1 || true)
    xdotool keydown space
    sleep 0.3
    xdotool keyup space
    [ -z "$box" ] || xdotool key Return
    status=0
    wait "$pid" || status=$?
    said=$(tr -d '\r' <"$dir/err.txt" | grep -a -m 1 'does not offer' || true)
    if [ -z "$box" ] && [ "$status" -eq 0 ] && isLit "$lit" && grep -q 'flying at 640x480' <<<"$said"; then
        pass "/s on a 640x480 display: \"$said\", structures ($lit lit), no box, status 0"
    else
        fail "/s on a 640x480 display: box ${box:-none}, status $status, $lit lit, said \"$said\"; see $dir"
    fi
else
    fail "a 640x480 Xvfb did not start; see $work/xvfb.log"
fi

# /s on two monitors side by side. Xvfb puts every Xinerama screen at the origin, and Wine takes
# its monitors from XRandR wherever the server has it (one output per screen), so the two are
# Xephyr's screens, which it lays side by side, joined by Xinerama without XRandR, on an Xvfb
# of their size. The root keeps its woven pattern: a desktop that is not black.
xephyrPid=
stopXephyr() {
    if [ -n "$xephyrPid" ]; then
        kill "$xephyrPid" 2>/dev/null
        wait "$xephyrPid" 2>/dev/null
        xephyrPid=
    fi
    return 0
}
atExit stopXephyr
# Starts Xephyr with two 640x480 screens on the Xvfb of DISPLAY and exports its display.
startTwoMonitors() {
    rm -f "$work/xephyr-display"
    timeout -k 5 "${xvfbLifetime:-3600}" Xephyr -displayfd 3 -nolisten tcp -retro \
        -screen 640x480x24 -screen 640x480x24 +xinerama -extension RANDR \
        3>"$work/xephyr-display" >"$work/xephyr.log" 2>&1 &
    xephyrPid=$!
    for _ in $(seq 100); do
        [ -s "$work/xephyr-display" ] && break
        kill -0 "$xephyrPid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$work/xephyr-display" ] || return 1
    DISPLAY=:$(head -n 1 "$work/xephyr-display")
    export DISPLAY
}

# The share of AREA's pixels that differ from those of the picture FILE (taken of AREA).
differsFrom() { # area file now-file
    import -window root -crop "$1" +repage "$3"
    local count
    count=$(compare -metric AE "$2" "$3" null: 2>&1 >/dev/null || true)
    awk -v c="${count%% *}" -v a="$1" 'BEGIN { split(a, s, /[x+]/); print c / (s[1] * s[2]) }'
}

# /s ended by HOW (a mouse moved towards the second monitor, or a key): the first monitor shows
# structures instead of the desktop, the second is wholly black while the saver flies and
# shows the desktop again, as it was, once the saver has ended with status 0. The mouse rests
# on the second monitor as the saver starts, so the covers appear under it and the move that
# comes with them must not end the run. Wine clips the cursor to the monitor of DirectDraw's
# exclusive window, so there the move ends at its edge, inside the flying window.
runTwoMonitors() { # name how
    local name=$1 how=$2 dir=$work/$1
    local first=640x480+0+0 second=640x480+640+0
    mkdir -p "$dir"
    cp "$build/quarnel.scr" "$dir/"
    xdotool mousemove 960 240
    import -window root -crop "$first" +repage "$dir/first-before.png"
    import -window root -crop "$second" +repage "$dir/second-before.png"
    (cd "$dir" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.scr /s >out.txt 2>err.txt) &
    local pid=$! changed=0 lit=0 shown=no dark=1 running=no
    for _ in $(seq 60); do
        sleep 0.5
        changed=$(differsFrom "$first" "$dir/first-before.png" "$dir/first.png")
        lit=$(convert "$dir/first.png" -fill white +opaque black -format "%[fx:mean]" info:)
        if awk -v f="$changed" 'BEGIN { exit !(f > 0.05) }' && isLit "$lit"; then
            shown=yes
            break
        fi
    done
    sleep 2
    dark=$(litFraction "$second" "$dir/second.png")
    import -window root "$dir/both.png"
    ! kill -0 "$pid" 2>/dev/null || running=yes
    if [ "$how" = key ]; then
        xdotool keydown space
        sleep 0.3
        xdotool keyup space
    else
        xdotool mousemove 900 300
    fi
    local status=0
    wait "$pid" || status=$?
    local uncovered
    uncovered=$(differsFrom "$second" "$dir/second-before.png" "$dir/second-after.png")
    if [ "$shown" = yes ] && [ "$dark" = 0 ] && [ "$running" = yes ]; then
        pass "$name: structures on the first monitor ($lit lit, $changed changed), the second all black"
    else
        fail "$name: first monitor $lit lit, $changed changed; second $dark lit; running: $running; see $dir/both.png"
    fi
    if [ "$status" -eq 0 ] && [ "$uncovered" = 0 ]; then
        pass "$name: /s ended with status 0 on the $how, and the second monitor shows the desktop again"
    else
        fail "$name: status $status after the $how (124: still running), the second monitor $uncovered unlike before; see $dir/second-after.png"
    fi
}

stopWine "$prefix"
stopXvfb
if startXvfb "$work" -screen 0 1280x480x24 && startTwoMonitors; then
    printf 'Resolution: 640x480\nSpeed: 20.000000\n' >"$appData/Quarnel/prefs.txt"
    monitors=$("${wineRun[@]}" "$build/monitorList.exe" 2>/dev/null | tr -d '\r')
    if [ "$monitors" = $'0,0 640x480 primary\n640,0 640x480 other' ]; then
        pass "two monitors: Wine reports $(tr '\n' ';' <<<"$monitors")"
        runTwoMonitors saver-two-monitors-mouse "mouse moved towards the second monitor"
        runTwoMonitors saver-two-monitors-key key
    else
        fail "two monitors: Wine reports \"$(tr '\n' ';' <<<"$monitors")\", not 0,0 and 640,0 640x480"
    fi
else
    fail "Xephyr's two screens on an Xvfb did not start; see $work/xvfb.log, $work/xephyr.log"
fi

summary "saver:"
