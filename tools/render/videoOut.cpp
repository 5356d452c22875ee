#include "videoOut.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

struct VideoStream {
    VideoSettings settings;
    FILE* out;
    bool piped;
    bool failed;
    std::vector<uint8_t> bytes;
};

VideoStream video;

FILE* startEncoder(const std::string& command) {
#if defined(_WIN32)
    return _popen(command.c_str(), "wb");
#else
    return popen(command.c_str(), "w");
#endif
}

int endEncoder(FILE* pipe) {
#if defined(_WIN32)
    return _pclose(pipe);
#else
    return pclose(pipe);
#endif
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// One word for the shell that popen starts.
std::string quoted(const std::string& word) {
#if defined(_WIN32)
    return "\"" + word + "\"";
#else
    std::string text = "'";
    for (char c : word) {
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return text + "'";
#endif
}

std::string ffmpegCommand(const VideoSettings& settings) {
    const char* chroma = settings.fullChroma ? "yuv444p" : "yuv420p";
    std::string command = "ffmpeg -hide_banner -loglevel error -y -f rawvideo -pix_fmt rgb24 -s " +
                          std::to_string(settings.width) + "x" + std::to_string(settings.height) +
                          " -framerate " + std::to_string(settings.fps) + " -i - ";
    // The frames are RGB; say which matrix turns them into YUV, so players turn them back.
    command += "-vf scale=out_color_matrix=bt709:out_range=tv -colorspace bt709 "
               "-color_primaries bt709 -color_trc bt709 ";
    if (settings.kind == VideoKind::mp4) {
        // CRF 16: no difference to see, at a fraction of the frames' size.
        command += "-c:v libx264 -preset medium -crf 16 -movflags +faststart ";
    } else {
        command += "-c:v libvpx-vp9 -crf 20 -b:v 0 -deadline good -cpu-used 4 -row-mt 1 ";
    }
    command += "-pix_fmt " + std::string(chroma) + " " + quoted(settings.path);
    return command;
}

// BT.601 studio range, which is what a YUV4MPEG2 stream without colour tags is read as.
void appendYuv444(const HeadlessFrame* frame, std::vector<uint8_t>* out) {
    const size_t count = static_cast<size_t>(frame->width) * frame->height;
    const size_t start = out->size();
    out->resize(start + 3 * count);
    uint8_t* y = out->data() + start;
    uint8_t* u = y + count;
    uint8_t* v = u + count;
    for (size_t i = 0; i < count; ++i) {
        int r = 0;
        int g = 0;
        int b = 0;
        const BYTE* pixel = frame->pixels + i * static_cast<size_t>(frame->bytesPerPixel);
        if (frame->bytesPerPixel == 1) {
            const PALETTEENTRY& entry = frame->palette[*pixel];
            r = entry.peRed;
            g = entry.peGreen;
            b = entry.peBlue;
        } else {
            r = pixel[2];
            g = pixel[1];
            b = pixel[0];
        }
        y[i] = static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
        u[i] = static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
        v[i] = static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    }
}

void appendRgb(const HeadlessFrame* frame, std::vector<uint8_t>* out) {
    const size_t count = static_cast<size_t>(frame->width) * frame->height;
    out->reserve(out->size() + 3 * count);
    for (size_t i = 0; i < count; ++i) {
        const BYTE* pixel = frame->pixels + i * static_cast<size_t>(frame->bytesPerPixel);
        if (frame->bytesPerPixel == 1) {
            const PALETTEENTRY& entry = frame->palette[*pixel];
            out->push_back(entry.peRed);
            out->push_back(entry.peGreen);
            out->push_back(entry.peBlue);
        } else {
            out->push_back(pixel[2]);
            out->push_back(pixel[1]);
            out->push_back(pixel[0]);
        }
    }
}

} // namespace

VideoKind videoKind(const std::string& out) {
    if (out == "-") {
        return VideoKind::yuv4mpeg;
    }
    if (endsWith(out, ".mp4")) {
        return VideoKind::mp4;
    }
    if (endsWith(out, ".webm")) {
        return VideoKind::webm;
    }
    return VideoKind::none;
}

bool ffmpegOnPath() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) {
        return false;
    }
#if defined(_WIN32)
    const char separator = ';';
    const std::string program = "\\ffmpeg.exe";
#else
    const char separator = ':';
    const std::string program = "/ffmpeg";
#endif
    const std::string folders = path;
    size_t start = 0;
    for (;;) {
        const size_t end = folders.find(separator, start);
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + program;
#if defined(_WIN32)
        if (_access(candidate.c_str(), 0) == 0) {
            return true;
        }
#else
        if (access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
#endif
        if (end == std::string::npos) {
            return false;
        }
        start = end + 1;
    }
}

std::string ffmpegMissingText(const std::string& path) {
    return "making " + path +
           " needs ffmpeg, which is not on the PATH. Install it (Debian or Ubuntu: sudo apt-get "
           "install ffmpeg; Fedora: sudo dnf install ffmpeg; macOS: brew install ffmpeg; "
           "Windows: winget install ffmpeg), or write image frames (--out f%04d.png), or a "
           "YUV4MPEG2 stream for another encoder (--out -)";
}

bool openVideo(const VideoSettings& settings, std::string* error) {
    video = VideoStream{};
    video.settings = settings;
    if (settings.kind == VideoKind::yuv4mpeg) {
        video.out = stdout;
#if defined(_WIN32)
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        std::fprintf(stdout, "YUV4MPEG2 W%d H%d F%d:1 Ip A1:1 C444\n", settings.width,
                     settings.height, settings.fps);
        return true;
    }
    if (!ffmpegOnPath()) {
        *error = ffmpegMissingText(settings.path);
        return false;
    }
#if !defined(_WIN32)
    // An encoder that stops must not take this program with it: its writes fail instead.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    std::fflush(nullptr);
    video.out = startEncoder(ffmpegCommand(settings));
    if (video.out == nullptr) {
        *error = "cannot start ffmpeg";
        return false;
    }
    video.piped = true;
    return true;
}

bool writeVideoFrame(const HeadlessFrame* frame) {
    if (video.out == nullptr || video.failed) {
        return false;
    }
    video.bytes.clear();
    if (video.settings.kind == VideoKind::yuv4mpeg) {
        static const char mark[] = "FRAME\n";
        video.bytes.assign(mark, mark + sizeof mark - 1);
        appendYuv444(frame, &video.bytes);
    } else {
        appendRgb(frame, &video.bytes);
    }
    if (std::fwrite(video.bytes.data(), 1, video.bytes.size(), video.out) != video.bytes.size()) {
        video.failed = true;
    }
    return !video.failed;
}

bool closeVideo(std::string* error) {
    if (video.out == nullptr) {
        return true;
    }
    bool ok = !video.failed;
    if (video.piped) {
        const int status = endEncoder(video.out);
        if (status != 0) {
            ok = false;
        }
        if (!ok) {
            *error = "ffmpeg could not make " + video.settings.path;
        }
    } else if (std::fflush(video.out) != 0 || !ok) {
        ok = false;
        *error = "cannot write the video stream to standard output";
    }
    video.out = nullptr;
    return ok;
}
