#!/usr/bin/env bash
# quarnel --desktop, as the .desktop file starts it (working folder: the home folder), with HOME
# and the XDG folders all temporary: prefs.txt is made in $XDG_CONFIG_HOME/quarnel with the
# defaults, F12's screenshot goes to the pictures folder that user-dirs.dirs names, Escape ends
# it with status 0, and the home folder is left as empty as it was.
#   desktopFolders.sh QUARNEL
set -uo pipefail
source "$(dirname "$0")/demoScriptSetUp.sh" "$1"
failLogs=("$work/err.txt" "$work/xvfb.log")

if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIP: no Xvfb or xdotool here (scripts/install-deps.sh installs xvfb xdotool)"
    exit $skipped
fi
xvfbLifetime=100
startXvfb "$work" -screen 0 1024x768x24 -br ||
    { echo "SKIP: Xvfb did not start: $(cat "$work/xvfb.log")"; exit $skipped; }
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
export XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
echo "XDG_PICTURES_DIR=\"$work/pictures\"" >"$XDG_CONFIG_HOME/user-dirs.dirs"

(cd "$HOME" && exec timeout -k 2 60 "$quarnel" --desktop >"$work/out.txt" 2>"$work/err.txt") &
quarnelPid=$!
prefs=$XDG_CONFIG_HOME/quarnel/prefs.txt
for _ in $(seq 100); do
    [ -s "$prefs" ] && break
    kill -0 "$quarnelPid" 2>/dev/null || fail "quarnel ended at start"
    sleep 0.1
done
[ "$(cat "$prefs" 2>/dev/null)" = "$(printf 'Resolution: 800x600\nSpeed: 20.000000')" ] ||
    fail "no prefs.txt with the defaults in $XDG_CONFIG_HOME/quarnel"
echo "ok: $prefs made with the defaults"

shot=$work/pictures/quarnel-0001.bmp
for _ in $(seq 60); do
    sleep 0.5
    kill -0 "$quarnelPid" 2>/dev/null || fail "quarnel ended before F12"
    xdotool keydown F12
    sleep 0.2
    xdotool keyup F12
    [ -s "$shot" ] && break
done
[ -s "$shot" ] || fail "F12 wrote no $shot"
echo "ok: F12 wrote $shot"
# Held for a while: the frame loop looks at the keyboard once a frame. What is checked here is
# where the files went, so a press lost on a busy machine is simply repeated.
for _ in $(seq 5); do
    xdotool keydown Escape
    sleep 0.5
    xdotool keyup Escape
    sleep 0.5
    kill -0 "$quarnelPid" 2>/dev/null || break
done
status=0
wait "$quarnelPid" || status=$?
quarnelPid=
[ "$status" -eq 0 ] || fail "status $status after Escape"

left=$(cd "$HOME" && find . -mindepth 1 | head)
[ -z "$left" ] || fail "left in the home folder: $left"
echo "ok: nothing in the home folder; status 0 after Escape"
