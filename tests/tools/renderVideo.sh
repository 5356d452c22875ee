#!/usr/bin/env bash
# quarnel-render's videos: an mp4 of 120 frames is 120 frames at the size and rate asked for,
# yuv444p and webm on request, and the YUV4MPEG2 stream on standard output feeds ffmpeg.
# Without ffmpeg on the PATH a video is refused with a clear message. Exit 77 (skipped) when
# ffmpeg is not installed, after the checks that need none.
set -euo pipefail
render=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# No ffmpeg on the PATH: a clear message, a non-zero status, nothing written.
status=0
PATH=/nonexistent "$render" --size 64x48 --ticks 1 --frames 2 --out "$work/none/x.mp4" \
    >/dev/null 2>"$work/err" || status=$?
[ "$status" -ne 0 ] && grep -q "needs ffmpeg, which is not on the PATH" "$work/err" &&
    grep -q "apt-get install ffmpeg" "$work/err" ||
    { echo "without ffmpeg: status $status, $(cat "$work/err")"; exit 1; }
[ ! -e "$work/none" ] || { echo "without ffmpeg: something was written"; exit 1; }
echo "without ffmpeg: status $status, \"$(head -c 60 "$work/err")...\""

if ! command -v ffmpeg >/dev/null || ! command -v ffprobe >/dev/null; then
    echo "SKIPPED: ffmpeg/ffprobe not installed (apt-get install ffmpeg); video checks not run"
    exit 77
fi

# Frames, width, height, rate and pixel format of the first video stream.
probe() {
    ffprobe -v error -select_streams v:0 -count_frames \
        -show_entries stream=nb_read_frames,width,height,r_frame_rate,pix_fmt,codec_name \
        -of default=noprint_wrappers=1 "$1" | sort | tr '\n' ' '
}
expect() {
    local file=$1 want=$2 got
    got=$(probe "$file")
    for field in $want; do
        [[ " $got " == *" $field "* ]] || { echo "$file: want $field, got $got"; exit 1; }
    done
    echo "$(basename "$file"): $got"
}

"$render" --size 96x72 --ticks 2002 --autopilot --frames 120 --fps 30 --out "$work/a.mp4" \
    >/dev/null
expect "$work/a.mp4" "codec_name=h264 nb_read_frames=120 width=96 height=72 r_frame_rate=30/1 pix_fmt=yuv420p"
"$render" --size 95x71 --ticks 2002 --autopilot --frames 12 --pixel-format yuv444p \
    --out "$work/b.mp4" >/dev/null
expect "$work/b.mp4" "nb_read_frames=12 width=95 height=71 r_frame_rate=60/1 pix_fmt=yuv444p"
"$render" --size 64x48 --ticks 2002 --autopilot --frames 8 --fps 24 --out "$work/c.webm" \
    >/dev/null
expect "$work/c.webm" "codec_name=vp9 nb_read_frames=8 width=64 height=48 r_frame_rate=24/1"

# yuv420p cannot hold an odd size: refused before anything is made.
status=0
"$render" --size 95x71 --ticks 1 --frames 2 --out "$work/odd.mp4" >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] && [ ! -e "$work/odd.mp4" ] || { echo "odd yuv420p: status $status"; exit 1; }

# The YUV4MPEG2 stream: every frame, 4:4:4, the rate from --fps, straight into ffmpeg.
"$render" --size 96x72 --ticks 2002 --autopilot --frames 30 --fps 25 --out - 2>/dev/null |
    ffmpeg -v error -f yuv4mpegpipe -i - -c:v libx264 -pix_fmt yuv444p "$work/d.mp4"
expect "$work/d.mp4" "nb_read_frames=30 width=96 height=72 r_frame_rate=25/1"
head -c 40 < <("$render" --size 96x72 --ticks 2002 --frames 1 --out - 2>/dev/null) |
    head -n 1 | grep -qx "YUV4MPEG2 W96 H72 F60:1 Ip A1:1 C444" ||
    { echo "YUV4MPEG2 header wrong"; exit 1; }
echo "YUV4MPEG2 stream read by ffmpeg"
