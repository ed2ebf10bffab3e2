#include "platform/gl/MipChain.h"

#include <algorithm>

namespace platform {

int MipLevelCount(int width, int height)
{
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2) ++levels;
    return levels;
}

namespace {

// Channel by channel, rounded to nearest (a half rounds up).
uint32_t AverageOfFour(const uint32_t (&pixels)[4])
{
    uint32_t average = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 2;
        for (const uint32_t pixel : pixels) sum += pixel >> shift & 0xffu;
        average |= sum / 4 << shift;
    }
    return average;
}

}  // namespace

DecodedImage HalveImage(const DecodedImage& level)
{
    DecodedImage half;
    half.width = std::max(1, level.width / 2);
    half.height = std::max(1, level.height / 2);
    half.pixels.resize(static_cast<size_t>(half.width) * half.height);
    // Where a side is one pixel long its single row or column stands for both of the pair.
    const int stepX = level.width > 1 ? 1 : 0;
    const int stepY = level.height > 1 ? 1 : 0;
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            const int left = x * 2 * stepX, top = y * 2 * stepY;
            const uint32_t block[4] = {level.At(left, top), level.At(left + stepX, top), level.At(left, top + stepY),
                                       level.At(left + stepX, top + stepY)};
            half.pixels[static_cast<size_t>(y) * half.width + x] = AverageOfFour(block);
        }
    }
    return half;
}

}  // namespace platform
