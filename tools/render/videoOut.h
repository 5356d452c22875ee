// Frames as one video: an mp4 (H.264) or webm (VP9) file made by ffmpeg through a pipe, or a
// YUV4MPEG2 stream (4:4:4) on standard output for any encoder. Every frame is written, in
// order, at the frame rate given; none is dropped or repeated.
#pragma once

#include "platform/host/headless/headlessHost.h"

#include <string>

enum class VideoKind { none, mp4, webm, yuv4mpeg };

// From --out: "-" is the YUV4MPEG2 stream; .mp4 and .webm are made by ffmpeg.
VideoKind videoKind(const std::string& out);

// True when ffmpeg can be started from the PATH.
bool ffmpegOnPath();
// What to say when it cannot, making path.
std::string ffmpegMissingText(const std::string& path);

struct VideoSettings {
    VideoKind kind;
    std::string path; // the file ffmpeg writes
    int width;
    int height;
    int fps;
    bool fullChroma; // yuv444p rather than yuv420p
};

// Starts the stream; false with a message.
bool openVideo(const VideoSettings& settings, std::string* error);
// False when the stream can take no more (ffmpeg ended, a closed pipe).
bool writeVideoFrame(const HeadlessFrame* frame);
// Ends the stream and waits for the encoder; false with a message when it failed.
bool closeVideo(std::string* error);
