#!/usr/bin/env bash
# quarnel-render ended early by SIGTERM or by Ctrl+C (SIGINT to its whole process group, ffmpeg
# included): status 143 or 130, every frame file written whole, a video that ffprobe reads at
# once with the frames so far, and nothing left in the temporary folder.
#   renderInterrupted.sh RENDER
set -uo pipefail
render=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/tmp"
export TMPDIR="$work/tmp"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Job control: each run in a process group of its own, as a terminal's foreground job is, and
# with SIGINT not ignored as it is for a script's background jobs.
set -m

# Starts a long run, waits for its first frames, sends the signal and sets status.
interrupt() { # signal target(process|group) first-file render-options...
    local signal=$1 target=$2 first=$3 pid
    status=0
    shift 3
    "$render" --size 320x240 --ticks 7 --frames 1000000 "$@" >"$work/out.txt" 2>"$work/err.txt" &
    pid=$!
    for _ in $(seq 300); do
        [ -s "$first" ] && break
        sleep 0.1
    done
    sleep 1
    if [ "$target" = group ]; then kill "-$signal" -- "-$pid"; else kill "-$signal" "$pid"; fi
    wait "$pid" || status=$?
}

# Frame files: each one whole, however far the run got.
interrupt TERM process "$work/f/f00000.ppm" --out "$work/f/f%05d.ppm"
[ "$status" -eq 143 ] || fail "frames, SIGTERM: status $status, expected 143: $(cat "$work/err.txt")"
count=$(ls "$work/f" | wc -l)
[ "$count" -ge 2 ] && [ "$count" -lt 1000001 ] || fail "frames, SIGTERM: $count files"
whole=$((15 + 320 * 240 * 3)) # "P6\n320 240\n255\n" and the pixels
for file in "$work"/f/*.ppm; do
    [ "$(stat -c %s "$file")" -eq "$whole" ] || fail "frames, SIGTERM: $file is not whole"
done
grep -q "terminated after $count frames" "$work/err.txt" ||
    fail "frames, SIGTERM: said $(cat "$work/err.txt")"
echo "frame files, SIGTERM: status 143, $count whole frames"

if command -v ffmpeg >/dev/null && command -v ffprobe >/dev/null; then
    frames() {
        ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames \
            -of csv=p=0 "$1" 2>/dev/null
    }
    for how in "TERM process 143" "INT group 130"; do
        set -- $how
        rm -f "$work/v.mp4"
        interrupt "$1" "$2" "$work/v.mp4" --out "$work/v.mp4"
        [ "$status" -eq "$3" ] || fail "video, SIG$1: status $status, expected $3: $(cat "$work/err.txt")"
        # The encoder is done when the program is: nothing is left writing the file.
        if command -v pgrep >/dev/null && pgrep -f -- "$work/v.mp4" >/dev/null; then
            fail "video, SIG$1: ffmpeg still writes v.mp4 after the program ended"
        fi
        read=$(frames "$work/v.mp4")
        [ -n "$read" ] && [ "$read" -gt 0 ] ||
            fail "video, SIG$1 to the $2: ffprobe reads no frames of v.mp4 when the program has ended"
        echo "video, SIG$1 to the $2: status $status, ffprobe reads ${read:-no} frames"
    done
else
    echo "no ffmpeg here: the video is not tried"
fi

left=$(ls -A "$work/tmp")
[ -z "$left" ] || fail "left in the temporary folder: $left"
[ "$failures" -eq 0 ] || exit 1
echo "interrupted runs end cleanly"
