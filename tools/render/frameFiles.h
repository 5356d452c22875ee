// Presented frames as image files: binary PPM, 24-bit BMP or PNG, chosen by the name's extension.
#pragma once

#include "platform/host/headless/headlessHost.h"

#include <string>

enum class FrameFileFormat { ppm, bmp, png, unknown };

FrameFileFormat frameFileFormat(const std::string& path);

// Writes the frame's colours (through its palette at one byte per pixel). Returns false when
// the file cannot be written.
bool writeFrameFile(const std::string& path, FrameFileFormat format, const HeadlessFrame* frame);
