#!/usr/bin/env bash
# Builds the Windows programs with MinGW-w64 and runs them under Wine:
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
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "$(id -u)" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    # install-deps.sh updates the package lists only when something is missing; wine32:i386
    # is, on a machine that had no i386 before.
fi
# Wine lists and sets display modes through XRandR; its packages only recommend these libraries.
scripts/install-deps.sh g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 \
    wine64 libxrandr2:i386 libxinerama1:i386 libxcursor1:i386 libxi6:i386 libxrender1:i386 \
    libxrandr2 libxinerama1 libxcursor1 libxi6 libxrender1

# Which Windows architectures this machine can run: each loader is tried once.
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64
architectures=()
if [ -z "${QUARNEL_NO_WINE32:-}" ] && "$wine32" --version >/dev/null 2>&1; then
    architectures+=(x86)
else
    echo "32-bit x86 code cannot run here ($wine32 does not start): the 32-bit Windows builds are not checked"
fi
if "$wine64" --version >/dev/null 2>&1; then
    architectures+=(x64)
else
    echo "64-bit Windows programs cannot run here ($wine64 does not start)"
fi
if [ ${#architectures[@]} -eq 0 ]; then
    echo "FAIL: neither 32- nor 64-bit Windows programs can run here; nothing checked"
    exit 1
fi
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

passed=0
failed=0
pass() {
    echo "PASS: $*"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}

work=$root/build/wine
rm -rf "$work"
mkdir -p "$work"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

xvfbPid=
cleanUp() {
    for prefix in "$work"/prefix-*; do
        if [ -d "$prefix" ]; then
            WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        fi
    done
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
    fi
}
trap cleanUp EXIT

# Wine's DirectDraw offers only the X screen's own size (and no 24 bits): the screen is the
# preferred size, so the 32-bit fall-back runs. -displayfd picks a free display number.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfbPid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start; see $work/xvfb.log" >&2
    exit 1
fi
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
echo "Xvfb on $DISPLAY"

# Each architecture runs under its own loader in its own prefix: the 64-bit one needs no
# 32-bit code at all. Sets wineRun to the command that runs a program of that architecture.
wineCommand() { # arch
    if [ "$1" = x86 ]; then
        wineRun=(env "WINEPREFIX=$work/prefix-x86" "$wine32")
    else
        wineRun=(env "WINEPREFIX=$work/prefix-x64" "WINELOADER=$wine64" "$wine64")
    fi
}

# A fresh prefix per architecture, made before any program runs so that the configuration
# dialog does not cover the first screenshot. Wine's output always goes to files, never a pipe
# (its helper processes keep a pipe open).
for arch in "${architectures[@]}"; do
    wineCommand "$arch"
    winearch=win64
    [ "$arch" = x64 ] || winearch=win32
    WINEARCH=$winearch "${wineRun[@]}" wineboot -u >"$work/wineboot-$arch.log" 2>&1
    WINEPREFIX=$work/prefix-$arch wineserver -w
done

# Fraction of the X screen that is not black.
litFraction() {
    import -window root "$1"
    convert "$1" -fill white +opaque black -format "%[fx:mean]" info:
}

# The demonstration on the preferred size: structures on the screen, then Escape held (down,
# a pause, up: a press and release within one pump pass can be missed) quits with status 0.
# Without its 32-bit part, Wine 8's 64-bit loader now and then dies of SIGSEGV in its own
# thread teardown while a program exits (a corrupted glibc arena or its syscall dispatcher,
# after the program's exit call); that run is said so and made once more.
runDemonstration() { # arch
    local arch=$1 name=demonstration-$1 dir=$work/demonstration-$1
    mkdir -p "$dir"
    cp "build/windows-$arch/quarnel.exe" "$dir/quarnel.exe"
    wineCommand "$arch"
    local attempt lit=0 status=0
    for attempt in 1 2; do
        printf 'Resolution: 800x600\nSpeed: 20.000000\n' >"$dir/prefs.txt"
        (cd "$dir" && exec timeout -k 5 90 "${wineRun[@]}" quarnel.exe >out.txt 2>err.txt) &
        local pid=$!
        lit=0
        for _ in $(seq 40); do
            sleep 1
            lit=$(litFraction "$dir/screen.png")
            awk -v f="$lit" 'BEGIN { exit !(f > 0.001) }' && break
        done
        sleep 2
        lit=$(litFraction "$dir/screen.png")
        xdotool keydown Escape
        sleep 0.5
        xdotool keyup Escape
        status=0
        wait "$pid" || status=$?
        if [ "$status" -ne 139 ] || [ "$attempt" -eq 2 ]; then
            break
        fi
        echo "NOTE: $name: Wine's loader died of SIGSEGV (status 139) as the program exited; running it again"
    done
    if awk -v f="$lit" 'BEGIN { exit !(f > 0.001) }'; then
        pass "$name shows structures ($lit of the screen lit)"
    else
        fail "$name: the screen stayed black ($lit lit); see $dir/screen.png, $dir/err.txt"
    fi
    if [ "$status" -eq 0 ]; then
        pass "$name quits with status 0 on Escape"
    else
        fail "$name: exit status $status after Escape (124: still running); see $dir/err.txt"
    fi
}

# A resolution the display refuses: the fatal-error path writes its text to stderr, shows
# the box (dismissed here with Return) and exits with status 1.
runRefused() { # arch resolution expected-pattern
    local arch=$1 resolution=$2 expected=$3 name=refused-$2-$1 dir=$work/refused-$2-$1
    mkdir -p "$dir"
    cp "build/windows-$arch/quarnel.exe" "$dir/quarnel.exe"
    printf 'Resolution: %s\nSpeed: 20.000000\n' "$resolution" >"$dir/prefs.txt"
    wineCommand "$arch"
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
    wineCommand "$arch"
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

echo "windows: checked ${architectures[*]}; $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
