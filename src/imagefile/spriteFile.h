// Indexed sprites stored in files: at a caller-given offset, a width byte, a height byte and
// width x height palette indices, exactly the sprite's layout in memory.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads the sprite at offset bytes from the start of the file into buffer, which holds
// bufferSize bytes (2 + 255 * 255 always suffice). Returns 1 when the whole sprite was read
// and stored, 0 when the file cannot be opened, the offset is negative or lies past the end,
// the file ends inside the sprite, or the sprite does not fit the buffer. On 0 the buffer is
// left as it was.
int loadSpriteFile(uint8_t* buffer, size_t bufferSize, const char* path, int32_t offset);
