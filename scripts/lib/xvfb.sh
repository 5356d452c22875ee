# A virtual X server for the test scripts: `source scripts/lib/xvfb.sh`.
#
# startXvfb FOLDER [Xvfb options...]: starts Xvfb on a free display (-displayfd), without TCP,
# its output in FOLDER/xvfb.log; exports DISPLAY and sets xvfbPid. Fails (status 1, nothing
# exported) when the server does not start within ten seconds. The server ends by itself after
# xvfbLifetime seconds (default an hour), so that no script killed hard leaves one behind.
# stopXvfb ends the last one started; a script that starts several keeps their xvfbPid itself.

xvfbPid=
startXvfb() { # folder [options...]
    local folder=$1
    shift
    rm -f "$folder/display"
    timeout -k 5 "${xvfbLifetime:-3600}" Xvfb -displayfd 3 -nolisten tcp "$@" \
        3>"$folder/display" >"$folder/xvfb.log" 2>&1 &
    xvfbPid=$!
    for _ in $(seq 100); do
        [ -s "$folder/display" ] && break
        kill -0 "$xvfbPid" 2>/dev/null || break
        sleep 0.1
    done
    if ! [ -s "$folder/display" ]; then
        kill "$xvfbPid" 2>/dev/null
        xvfbPid=
        return 1
    fi
    DISPLAY=:$(head -n 1 "$folder/display")
    export DISPLAY
}

stopXvfb() {
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null
        wait "$xvfbPid" 2>/dev/null
        xvfbPid=
    fi
    return 0
}
