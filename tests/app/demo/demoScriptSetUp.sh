# What the demonstration's Xvfb scripts share: `source` it after naming the program in $1.
# Sets quarnel (its real path), skipped (ctest's skip status), work (a temporary folder) and
# the pids the clean-up ends (quarnelPid, and xvfbPid from scripts/lib/xvfb.sh); the folder
# and the processes go when the script ends, however it ends. fail MESSAGE prints it with the
# files named in failLogs (default: run/err.txt and xvfb.log in the work folder) and exits 1.
# stillRunning (scripts/lib/process.sh) waits on a process.
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/process.sh"

quarnel=$(realpath "$1")
skipped=77
work=$(mktemp -d)
quarnelPid=
failLogs=("$work/run/err.txt" "$work/xvfb.log")

cleanUp() {
    [ -n "$quarnelPid" ] && kill "$quarnelPid" 2>/dev/null
    [ -n "$xvfbPid" ] && kill "$xvfbPid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanUp EXIT

fail() {
    echo "FAIL: $*"
    local f
    for f in "${failLogs[@]}"; do
        [ -s "$f" ] && { echo "--- $f"; cat "$f"; }
    done
    exit 1
}
