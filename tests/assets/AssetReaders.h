#pragma once
#include "platform/images/BmpImage.h"
#include "platform/images/DdsImage.h"

#include <algorithm>
#include <cstdint>
#include <span>

// The art build's files are read back with the game's own decoders, since what matters is what
// the game will see; header fields the decoders do not keep are read straight from the bytes.

inline uint32_t Le32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

inline uint8_t Alpha(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }

struct Colour {
    double r = 0, g = 0, b = 0;
};

inline Colour Unpack(uint32_t pixel)
{
    return {static_cast<double>((pixel >> 16) & 0xff), static_cast<double>((pixel >> 8) & 0xff),
            static_cast<double>(pixel & 0xff)};
}

// The mean colour of the fully opaque pixels in [x0, x1) x [y0, y1).
inline Colour MeanColour(const platform::DecodedImage& image, int x0, int y0, int x1, int y1)
{
    Colour sum;
    int count = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (Alpha(image.At(x, y)) < 255) continue;
            const Colour c = Unpack(image.At(x, y));
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            ++count;
        }
    }
    const double n = std::max(count, 1);
    return {sum.r / n, sum.g / n, sum.b / n};
}
