// The SDL2 host's own controls, for programs that know they run on it (its benchmark). The
// program itself reaches the host only through the layer.
#pragma once

#include "platform/host/host.h"

// Whether frames of this depth go to the renderer as they are, with no per-pixel conversion
// (the renderer takes their format, and it is allowed).
bool sdlUploadsAsIs(int bytesPerPixel);

// false: every frame is converted pixel by pixel, as where the renderer takes no matching
// format; for measuring what uploading as it is saves. true (the default) again allows it.
void sdlAllowUploadAsIs(bool allowed);
