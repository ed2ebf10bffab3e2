#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A picture in memory: 32-bit ARGB (0xAARRGGBB) pixels, top row first.
struct DecodedImage {
    int width = 0;                  // pixels
    int height = 0;                 // pixels
    std::vector<uint32_t> pixels;   // width * height, ARGB

    bool Empty() const { return width <= 0 || height <= 0; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Pictures larger than this on either side are refused as corrupt.
constexpr int MaxImageSide = 8192;

}  // namespace platform
