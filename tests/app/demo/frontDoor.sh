#!/usr/bin/env bash
# quarnel's command line as a new user meets it: --help and --version answer on standard output
# with status 0; an option word that is none of ours, or one of another way to run, is refused
# with one line and status 2 before any window or file is made; the words reach the options as
# they were given, spaces and quotes included.
#   frontDoor.sh QUARNEL
set -uo pipefail
quarnel=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# No window can open: no X server, and SDL may use no other driver.
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=x11

answers() { # name expected-text options...
    local name=$1 expected=$2 dir=$work/$1 status=0
    shift 2
    mkdir -p "$dir"
    (cd "$dir" && exec timeout 20 "$quarnel" "$@" >out.txt 2>err.txt) || status=$?
    [ "$status" -eq 0 ] || fail "$name: status $status"
    grep -qF -- "$expected" "$dir/out.txt" || fail "$name: \"$expected\" not on standard output"
    [ ! -s "$dir/err.txt" ] || fail "$name: said on standard error: $(cat "$dir/err.txt")"
    local left
    left=$(ls -A "$dir" | grep -v -e '^out.txt$' -e '^err.txt$')
    [ -z "$left" ] || fail "$name: left $left"
    echo "$name: status 0"
}
answers help "--windowed" --help
answers help-among-others "--threads N" --windowed --help
answers help-lists-stats "--stats" --help
answers help-lists-hack-pacing "-delay N" --help
answers help-lists-hack-fps "-fps " --help
answers version "quarnel " --version

refused() { # name options...
    local name=$1 dir=$work/$1 status=0
    shift
    mkdir -p "$dir"
    (cd "$dir" && exec timeout 20 "$quarnel" "$@" >out.txt 2>err.txt) || status=$?
    [ "$status" -eq 2 ] || fail "$name: status $status, expected 2 ($(cat "$dir/err.txt"))"
    [ "$(wc -l <"$dir/err.txt")" -eq 1 ] || fail "$name: not one line: $(cat "$dir/err.txt")"
    [ ! -s "$dir/out.txt" ] || fail "$name: said on standard output"
    local left
    left=$(ls -A "$dir" | grep -v -e '^out.txt$' -e '^err.txt$')
    [ -z "$left" ] || fail "$name: left $left"
    echo "$name refused: $(cat "$dir/err.txt")"
}
refused window --window
refused sise --sise 1024x768
refused slash-x /x
refused size-in-windows-saver /s --size 800x600
refused record-in-hack -root --record flight.txt
refused two-ways -window /c
refused bad-value --fps fast
refused fps-in-demonstration -fps
refused delay-in-demonstration --delay 20000
refused stats-in-windows-saver /s --stats
refused bad-delay -root -delay soon
refused missing-delay -root -delay

# A path with a space and a quote reaches --record whole: the recording is made at once, under
# that very name, before the demonstration finds no display.
mkdir -p "$work/quoted"
name='my "first" flight.txt'
(cd "$work/quoted" && timeout 20 "$quarnel" --record "$work/quoted/$name" >out.txt 2>err.txt)
if [ -e "$work/quoted/$name" ]; then
    echo "quoted path: --record made \"$name\""
else
    fail "quoted path: no \"$name\" in $(ls -A "$work/quoted" | tr '\n' ' ')"
fi

# --size and --speed are for this run: with no prefs.txt in the folder none is made.
mkdir -p "$work/one-run"
(cd "$work/one-run" && timeout 20 "$quarnel" --size 640x480 --speed 5 >out.txt 2>err.txt)
left=$(ls -A "$work/one-run" | grep -v -e '^out.txt$' -e '^err.txt$')
[ -z "$left" ] || fail "--size and --speed: left $left"
grep -q "unknown option\|not an option" "$work/one-run/err.txt" && fail "--size refused"
echo "one run: --size and --speed wrote no prefs.txt"

[ "$failures" -eq 0 ] || exit 1
echo "front door: every answer as expected"
