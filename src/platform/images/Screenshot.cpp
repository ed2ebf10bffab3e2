#include "platform/images/Screenshot.h"

#include <vector>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace platform {

bool SavePng(const std::string& path, const DecodedImage& image)
{
    if (image.Empty() || image.pixels.size() != static_cast<size_t>(image.width) * image.height) return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(image.width) * image.height * 3);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t pixel = image.pixels[i];
        rgb[3 * i] = static_cast<uint8_t>(pixel >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(pixel >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(pixel);
    }
    return stbi_write_png(path.c_str(), image.width, image.height, 3, rgb.data(), image.width * 3) != 0;
}

}  // namespace platform
