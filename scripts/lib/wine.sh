# Wine for the test scripts: `source scripts/lib/wine.sh` from the repository's root.
#
# installWine [more packages...]: as root, the MinGW-w64 compilers, Wine with its 32-bit part
# and the X libraries Wine only recommends (it lists and sets display modes through XRandR).
# wineArchitectures: sets wineArchitectures to the Windows architectures this machine runs
# (x86, x64: each loader is tried once), saying which it cannot; fails when it runs neither.
# QUARNEL_NO_WINE32=1 leaves x86 out on a machine that could run both.
# wineCommand ARCH PREFIX: sets wineRun to the command that runs a program of that architecture
# in that prefix, under its own loader: the 64-bit one needs no 32-bit code at all.
# newWinePrefix ARCH PREFIX: makes the prefix before any program runs, so that Wine's
# configuration dialog covers no screenshot (its output in PREFIX.log).
# stopWine PREFIX...: ends each prefix's wineserver.

wineLoader32=/usr/lib/wine/wine
wineLoader64=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

installWine() { # [more packages...]
    if [ "$(id -u)" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        # install-deps.sh updates the package lists only when something is missing; wine32:i386
        # is, on a machine that had no i386 before.
        dpkg --add-architecture i386
    fi
    scripts/install-deps.sh g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine \
        wine32:i386 wine64 libxrandr2:i386 libxinerama1:i386 libxcursor1:i386 libxi6:i386 \
        libxrender1:i386 libxrandr2 libxinerama1 libxcursor1 libxi6 libxrender1 "$@"
}

wineArchitectures=()
wineArchitectures() {
    wineArchitectures=()
    if [ -z "${QUARNEL_NO_WINE32:-}" ] && "$wineLoader32" --version >/dev/null 2>&1; then
        wineArchitectures+=(x86)
    else
        echo "32-bit x86 code cannot run here ($wineLoader32 does not start): the 32-bit Windows builds are not checked"
    fi
    if "$wineLoader64" --version >/dev/null 2>&1; then
        wineArchitectures+=(x64)
    else
        echo "64-bit Windows programs cannot run here ($wineLoader64 does not start)"
    fi
    [ ${#wineArchitectures[@]} -gt 0 ]
}

wineRun=()
wineCommand() { # arch prefix
    if [ "$1" = x86 ]; then
        wineRun=(env "WINEPREFIX=$2" "$wineLoader32")
    else
        wineRun=(env "WINEPREFIX=$2" "WINELOADER=$wineLoader64" "$wineLoader64")
    fi
}

newWinePrefix() { # arch prefix
    local winearch=win64
    [ "$1" = x64 ] || winearch=win32
    wineCommand "$1" "$2"
    # Wine's output always goes to files, never a pipe (its helper processes keep a pipe open).
    WINEARCH=$winearch "${wineRun[@]}" wineboot -u >"$2.log" 2>&1
    WINEPREFIX=$2 wineserver -w
}

stopWine() { # prefix...
    local prefix
    for prefix in "$@"; do
        if [ -d "$prefix" ]; then
            WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        fi
    done
}
