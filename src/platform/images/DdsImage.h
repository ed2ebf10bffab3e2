#pragma once
#include "platform/images/DecodedImage.h"

#include <cstdint>
#include <span>

namespace platform {

// Decodes the top level of a DDS file: uncompressed 32-bit ARGB or XRGB (or any 16/24/32-bit
// RGB with bit masks) and DXT1, DXT3, DXT5. Alpha is kept; formats without alpha come out
// opaque. False (and an empty image) for anything unknown, truncated or corrupt.
bool DecodeDds(std::span<const uint8_t> file, DecodedImage& image);

}  // namespace platform
