#include "graphics/Texture.h"

#include "core/DataFiles.h"
#include "graphics/EmbeddedResources.h"
#include "graphics/Graphics.h"
#include "platform/images/BmpImage.h"
#include "platform/images/DdsImage.h"
#include "platform/gl/GlRenderer.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

uint32_t nextSerial = 1;

// Files larger than any picture the game uses are refused unread.
constexpr std::streamoff MaxFileBytes = 64 << 20;

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return false;
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > MaxFileBytes) return false;
    bytes.resize(static_cast<size_t>(size));
    file.seekg(0);
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

bool DecodeAnyPicture(std::span<const uint8_t> bytes, platform::DecodedImage& image)
{
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return platform::DecodeBmp(bytes, image);
    return platform::DecodeDds(bytes, image);
}

}  // namespace

Texture::~Texture() { Unload(); }

void Texture::Unload()
{
    if (handle != 0) {
        if (auto owner = renderer.lock()) owner->DeleteTexture(handle);
    }
    renderer.reset();
    handle = 0;
    loaded = false;
    pixelWidth = 0;
    pixelHeight = 0;
}

bool Texture::Upload(Graphics* graphics, const platform::DecodedImage& image)
{
    Unload();
    if (image.Empty()) return false;
    loaded = true;
    serial = nextSerial++;
    pixelWidth = image.width;
    pixelHeight = image.height;
    // Without a renderer, pictures of one size stand for one group, as they would on it.
    group = 0x80000000u | static_cast<uint32_t>(pixelWidth) << 16 | static_cast<uint32_t>(pixelHeight);
    if (graphics == nullptr) return true;
    renderer = graphics->Renderer();
    if (auto owner = renderer.lock()) {
        handle = owner->CreateTexture(image);
        if (handle != 0) group = platform::GlRenderer::GroupOf(handle);
    }
    return true;
}

bool Texture::LoadFromFile(Graphics* graphics, const char* fileName, uint16_t newWidth, uint16_t newHeight)
{
    width = newWidth;
    height = newHeight;
    std::vector<uint8_t> bytes;
    platform::DecodedImage image;
    if (fileName == nullptr || !ReadWholeFile(FindDataFile(fileName), bytes) || !DecodeAnyPicture(bytes, image)) {
        Unload();
        return false;
    }
    return Upload(graphics, image);
}

bool Texture::LoadFromResource(Graphics* graphics, const char* resourceName, uint16_t newWidth, uint16_t newHeight)
{
    width = newWidth;
    height = newHeight;
    platform::DecodedImage image;
    if (resourceName == nullptr || !platform::DecodeBmp(FindEmbeddedResource(resourceName), image)) {
        Unload();
        return false;
    }
    return Upload(graphics, image);
}

bool Texture::LoadFromImage(Graphics* graphics, const platform::DecodedImage& image, uint16_t newWidth, uint16_t newHeight)
{
    width = newWidth;
    height = newHeight;
    return Upload(graphics, image);
}
