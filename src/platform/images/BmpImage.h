#pragma once
#include "platform/images/DecodedImage.h"

#include <cstdint>
#include <span>

namespace platform {

// Decodes a complete BMP file (file header, BITMAPINFOHEADER or later, palette, rows): 8-bit
// palettized, 24-bit and 32-bit (BGRA, alpha kept), bottom-up or top-down rows. 8- and 24-bit
// pictures come out opaque. False (and an empty image) for anything unknown, truncated or corrupt.
bool DecodeBmp(std::span<const uint8_t> file, DecodedImage& image);

}  // namespace platform
