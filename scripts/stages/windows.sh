#!/usr/bin/env bash
# The Windows programs: built with MinGW-w64 and run under Wine:
#   quarnel.exe (32 and 64-bit) on Wine's real DirectDraw, on an Xvfb screen: it shows
#   structures and quits with status 0 on Escape; a display that refuses the preferred
#   resolution ends it through the fatal-error path with status 1;
#   quarnel-render.exe (32 and 64-bit, our own layer, no display) renders flights whose frames
#   are byte-identical to the Linux build's.
# A machine whose kernel cannot run 32-bit x86 code checks the 64-bit builds alone (with
# wine64); it says which architectures it checked, and fails when it could check none.
# QUARNEL_NO_WINE32=1 takes the 64-bit-only way on a machine that could run both.
# As root it installs what is missing (MinGW-w64, Wine with its 32-bit part, Xvfb, xdotool,
# ImageMagick); anyone else is told what to install.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
source scripts/lib/checks.sh
source scripts/lib/process.sh
source scripts/lib/xvfb.sh
source scripts/lib/screen.sh
source scripts/lib/wine.sh

installWine
if ! wineArchitectures; then
    echo "FAIL: neither 32- nor 64-bit Windows programs can run here; nothing checked"
    exit 1
fi
architectures=("${wineArchitectures[@]}")
echo "checking the Windows builds for: ${architectures[*]}"

presets=()
for arch in "${architectures[@]}"; do
    presets+=("windows-$arch" "windows-render-$arch")
done
jobs=$(nproc 2>/dev/null || echo 2)
for preset in "${presets[@]}"; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
# The Linux build the Windows frames are compared with (scripts/test.sh has made it already).
echo "=== dev: quarnel-render ==="
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target quarnel-render

work=$root/build/wine
rm -rf "$work"
mkdir -p "$work"
for arch in "${architectures[@]}"; do
    atExit stopWine "$work/prefix-$arch"
done
atExit stopXvfb

# Wine's DirectDraw offers only the X screen's own size (and no 24 bits): the screen is the
# preferred size, so the 32-bit fall-back runs.
if ! startXvfb "$work" -screen 0 800x600x24; then
    echo "Xvfb did not start; see $work/xvfb.log" >&2
    exit 1
fi
echo "Xvfb on $DISPLAY"

for arch in "${architectures[@]}"; do
    newWinePrefix "$arch" "$work/prefix-$arch"
done

# The demonstration on the preferred size: structures on the screen, then Escape held (down,
# a pause, up: a press and release within one pump pass can be missed) quits with status 0.
# Without its 32-bit part, Wine 8's 64-bit loader now and then dies of SIGSEGV in its own
# thread teardown while a program exits (a corrupted glibc arena or its syscall dispatcher,
# after the program's exit call); that run is said so and made once more.
runDemonstration() { # arch
    local arch=$1 name=demonstration-$1 dir=$work/demonstration-$1
    mkdir -p "$dir"
    cp "build/windows-$arch/quarnel.exe" "$dir/quarnel.exe"
    wineCommand "$arch" "$work/prefix-$arch"
    local attempt lit=0 status=0
    for attempt in 1 2; do
        printf 'Resolution: 800x600\nSpeed: 20.000000\n' >"$dir/prefs.txt"
        (cd "$dir" && exec timeout -k 5 90 "${wineRun[@]}" quarnel.exe >out.txt 2>err.txt) &
        local pid=$!
        lit=0
        for _ in $(seq 40); do
            sleep 1
            lit=$(litFraction "" "$dir/screen.png")
            isLit "$lit" && break
        done
        sleep 2
        lit=$(litFraction "" "$dir/screen.png")
        # Under load a just-shown window can miss the key (it did not have the focus yet): the
        # press is made again, at most three times, while the program is still running.
        local press
        for press in 1 2 3; do
            xdotool keydown Escape
            sleep 0.5
            xdotool keyup Escape
            stillRunning "$pid" 10 || break
            echo "NOTE: $name: still running 10 s after Escape (press $press)"
        done
        status=0
        wait "$pid" || status=$?
        if [ "$status" -ne 139 ] || [ "$attempt" -eq 2 ]; then
            break
        fi
        echo "NOTE: $name: Wine's loader died of SIGSEGV (status 139) as the program exited; running it again"
    done
    if isLit "$lit"; then
        pass "$name shows structures ($lit of the screen lit)"
    else
        fail "$name: the screen stayed black ($lit lit); see $dir/screen.png, $dir/err.txt"
    fi
    if [ "$status" -eq 0 ]; then
        pass "$name quits with status 0 on Escape"
    else
        fail "$name: exit status $status after Escape (124: still running); see $dir/err.txt"
        tail -n 20 "$dir/err.txt" | sed 's/^/    /'
    fi
}

# A resolution the display refuses: the fatal-error path writes its text to stderr, shows
# the box (dismissed here with Return) and exits with status 1.
runRefused() { # arch resolution expected-pattern
    local arch=$1 resolution=$2 expected=$3 name=refused-$2-$1 dir=$work/refused-$2-$1
    mkdir -p "$dir"
    cp "build/windows-$arch/quarnel.exe" "$dir/quarnel.exe"
    printf 'Resolution: %s\nSpeed: 20.000000\n' "$resolution" >"$dir/prefs.txt"
    wineCommand "$arch" "$work/prefix-$arch"
    (cd "$dir" && exec timeout -k 5 60 "${wineRun[@]}" quarnel.exe >out.txt 2>err.txt) &
    local pid=$!
    for _ in $(seq 30); do
        sleep 1
        if xdotool search --name '^Oh sod it$' >/dev/null 2>&1; then
            break
        fi
    done
    for _ in $(seq 5); do
        kill -0 "$pid" 2>/dev/null || break
        xdotool key Return
        sleep 2
    done
    local status=0
    wait "$pid" || status=$?
    local text
    text=$(tr -d '\r' <"$dir/err.txt" | grep -a -m 1 'DirectDraw error' || true)
    if [ "$status" -eq 1 ] && grep -Eq "$expected" <<<"$text"; then
        pass "$name: \"$text\", exit status 1"
    else
        fail "$name: exit status $status, stderr \"$text\" (expected /$expected/, status 1)"
    fi
}

# Frames of one flight from quarnel-render.exe under Wine and from the Linux build, compared
# byte for byte; the Linux frames are rendered once for every architecture.
runRender() { # arch name size depth flight
    local arch=$1 name=$2-$1 size=$3 depth=$4 flight=$5
    local dir=$work/$name linux=$work/$2-linux
    mkdir -p "$dir/windows"
    cp "$flight" "$dir/flight.txt"
    local options=(--size "$size" --depth "$depth" --ticks 20020 --flight flight.txt)
    local status=0
    wineCommand "$arch" "$work/prefix-$arch"
    (cd "$dir" && exec timeout -k 5 300 "${wineRun[@]}" \
        "$root/build/windows-render-$arch/tools/quarnel-render.exe" "${options[@]}" \
        --out 'windows/f%04d.ppm' >out.txt 2>err.txt) || status=$?
    if [ ! -d "$linux" ]; then
        mkdir -p "$linux"
        cp "$flight" "$linux/flight.txt"
        (cd "$linux" && "$root/build/dev/tools/quarnel-render" "${options[@]}" \
            --out 'frames/f%04d.ppm' >/dev/null)
    fi
    local frames differing=0
    frames=$(find "$linux/frames" -name '*.ppm' | wc -l)
    for file in "$linux"/frames/*.ppm; do
        cmp -s "$file" "$dir/windows/$(basename "$file")" || differing=$((differing + 1))
    done
    local windowsFrames
    windowsFrames=$(find "$dir/windows" -name '*.ppm' | wc -l)
    if [ "$status" -eq 0 ] && [ "$frames" -gt 1 ] && [ "$windowsFrames" -eq "$frames" ] &&
        [ "$differing" -eq 0 ]; then
        pass "$name: $frames frames identical to the Linux build's"
    else
        fail "$name: status $status, $windowsFrames Windows and $frames Linux frames, $differing differ"
    fi
}

for arch in "${architectures[@]}"; do
    echo "=== quarnel.exe ($arch) under Wine ==="
    runDemonstration "$arch"
    # Wine takes 0x0 as "keep the current mode", so there the back buffer's creation (site 7)
    # is what refuses; a size the X screen does not have is refused at the 32-bit attempt.
    runRefused "$arch" 0x0 'DirectDraw error [0-9A-F]{8} @ [0-9]+$'
    runRefused "$arch" 640x480 'DirectDraw error [0-9A-F]{8} @ 2403$'

    echo "=== quarnel-render.exe ($arch) under Wine ==="
    runRender "$arch" render-cruise 640x480 24 flights/cruise.txt
    runRender "$arch" render-reverse 320x240 32 flights/stop-and-reverse.txt
    runRender "$arch" render-buttons 400x300 24 flights/both-buttons.txt
done

[ "$passed" -gt 0 ] || fail "nothing was checked"
summary "windows: checked ${architectures[*]};"
