#include "graphics/EmbeddedBitmap.h"

#include "graphics/EmbeddedResources.h"
#include "platform/images/BmpImage.h"

platform::DecodedImage DecodeEmbeddedBitmap(std::string_view name)
{
    platform::DecodedImage image;
    platform::DecodeBmp(FindEmbeddedResource(name), image);
    return image;
}
