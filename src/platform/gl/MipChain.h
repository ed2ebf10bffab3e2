#pragma once
#include "platform/images/DecodedImage.h"

namespace platform {

// Levels in a picture's full mip chain: its own size, then halves (rounded down, never below
// one pixel) down to one pixel.
int MipLevelCount(int width, int height);

// The next smaller level of a mip chain: each pixel is the average, channel by channel and
// rounded to nearest, of the two-by-two block above it (a pair where one side is already a
// single pixel). On an odd side the last row or column has no pixel below it.
DecodedImage HalveImage(const DecodedImage& level);

}  // namespace platform
