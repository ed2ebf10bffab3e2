#include "platform/gl/RgbaBytes.h"

namespace platform {

std::vector<uint8_t> RgbaBytesOf(std::span<const uint32_t> argb)
{
    std::vector<uint8_t> rgba(argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint32_t pixel = argb[i];
        rgba[4 * i] = static_cast<uint8_t>(pixel >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(pixel >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(pixel);
        rgba[4 * i + 3] = static_cast<uint8_t>(pixel >> 24);
    }
    return rgba;
}

void ArgbWordsOf(std::span<const uint8_t> rgba, std::span<uint32_t> argb)
{
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint8_t* pixel = &rgba[4 * i];
        argb[i] = static_cast<uint32_t>(pixel[3]) << 24 | static_cast<uint32_t>(pixel[0]) << 16 |
                  static_cast<uint32_t>(pixel[1]) << 8 | pixel[2];
    }
}

}  // namespace platform
