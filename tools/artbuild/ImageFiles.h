#pragma once
#include <cstdint>
#include <vector>

#include "Canvas.h"

using Bytes = std::vector<uint8_t>;

// Uncompressed 32-bit DDS with alpha (A8R8G8B8 masks, one mip level): the sprite sheet file.
Bytes EncodeDds(const Canvas& picture);

// A colour table plus one index per pixel (row-major, top row first).
struct IndexedPicture {
    std::vector<Rgba> palette;
    std::vector<uint8_t> indices;
};

// Reduces a picture to at most `maxColours` colours. When the picture has that few already
// the palette holds exactly its colours, darkest first; otherwise the most frequent colours
// are kept, merging the closest ones, and every pixel takes its nearest palette entry.
IndexedPicture Index(const Canvas& picture, size_t maxColours);

// Complete Windows bitmap files (file header, info header, palette, bottom-up rows, BI_RGB).
// 8 bits per pixel; the colour table is padded with black to `paletteEntries` entries, which is
// also written as the number of colours used.
Bytes EncodeBmp8(const Canvas& picture, int paletteEntries);
Bytes EncodeBmp24(const Canvas& picture);
// 32 bits per pixel, blue-green-red-alpha with the picture's own alpha.
Bytes EncodeBmp32(const Canvas& picture);
