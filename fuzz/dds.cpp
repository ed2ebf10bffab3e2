// Feeds arbitrary bytes to the DDS decoder: it must refuse or decode, never read out of bounds.
#include "platform/images/DdsImage.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::DecodedImage image;
    const bool decoded = platform::DecodeDds(std::span<const uint8_t>(data, size), image);
    if (decoded != !image.Empty()) std::abort();
    if (decoded && image.pixels.size() != static_cast<size_t>(image.width) * image.height) std::abort();
    return 0;
}
