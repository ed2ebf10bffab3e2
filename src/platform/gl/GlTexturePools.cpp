#include "platform/gl/GlTexturePools.h"

#include "platform/gl/GlApi.h"
#include "platform/gl/MipChain.h"
#include "platform/gl/RgbaBytes.h"

#include <algorithm>

namespace platform {

GlTexturePools::~GlTexturePools()
{
    for (const Pool& pool : pools) glDeleteTextures(1, &pool.array);
    if (whiteArray != 0) glDeleteTextures(1, &whiteArray);
}

int GlTexturePools::FindPool(int width, int height)
{
    for (size_t i = 0; i < pools.size(); ++i) {
        const Pool& pool = pools[i];
        if (pool.width != width || pool.height != height) continue;
        if (std::find(pool.used.begin(), pool.used.end(), false) != pool.used.end() ||
            static_cast<int>(pool.used.size()) < MaxLayers) {
            return static_cast<int>(i);
        }
    }
    Pool pool;
    pool.width = width;
    pool.height = height;
    pool.layers.push_back(std::vector<uint32_t>(static_cast<size_t>(width) * height, 0xffffffffu));
    pool.used.push_back(true);   // layer 0: white
    pool.opaque.push_back(true);
    glGenTextures(1, &pool.array);
    pools.push_back(std::move(pool));
    Allocate(pools.back(), 8);
    return static_cast<int>(pools.size() - 1);
}

// A free layer of the pool, growing the array (and refilling it) when none is left.
int GlTexturePools::FreeLayer(Pool& pool)
{
    for (size_t layer = 1; layer < pool.used.size(); ++layer) {
        if (!pool.used[layer]) return static_cast<int>(layer);
    }
    const int layer = static_cast<int>(pool.used.size());
    pool.used.push_back(false);
    pool.opaque.push_back(false);
    pool.layers.emplace_back();
    if (layer >= pool.capacity) Allocate(pool, std::min(pool.capacity * 2, MaxLayers));
    return layer;
}

void GlTexturePools::Allocate(Pool& pool, int capacity)
{
    pool.capacity = capacity;
    glBindTexture(GL_TEXTURE_2D_ARRAY, pool.array);
    const int levels = MipLevelCount(pool.width, pool.height);
    for (int level = 0; level < levels; ++level) {
        glTexImage3D(GL_TEXTURE_2D_ARRAY, level, GL_RGBA8, std::max(1, pool.width >> level),
                     std::max(1, pool.height >> level), capacity, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, levels - 1);
    for (size_t layer = 0; layer < pool.used.size(); ++layer) {
        if (pool.used[layer]) UploadLayer(pool, static_cast<int>(layer));
    }
}

// Every picture gets its full mip chain, averaged from the level above. The chain is made here
// rather than by glGenerateMipmap: llvmpipe draws those levels like a picture and then goes on
// counting the array as a target it draws into, so every later picture that reads the array is
// cut in two at that draw and waited for (up to an eighth of a timedemo frame).
void GlTexturePools::UploadLayer(const Pool& pool, int layer)
{
    glBindTexture(GL_TEXTURE_2D_ARRAY, pool.array);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    DecodedImage level{pool.width, pool.height, pool.layers[layer]};
    for (int index = 0;; ++index) {
        glTexSubImage3D(GL_TEXTURE_2D_ARRAY, index, 0, 0, layer, level.width, level.height, 1, GL_RGBA,
                        GL_UNSIGNED_BYTE, RgbaBytesOf(level.pixels).data());
        if (level.width == 1 && level.height == 1) return;
        level = HalveImage(level);
    }
}

uint32_t GlTexturePools::Add(const DecodedImage& image)
{
    if (image.Empty() || image.pixels.size() != static_cast<size_t>(image.width) * image.height) return 0;
    const int index = FindPool(image.width, image.height);
    Pool& pool = pools[index];
    const int layer = FreeLayer(pool);
    pool.layers[layer] = image.pixels;
    pool.used[layer] = true;
    pool.opaque[layer] = std::all_of(image.pixels.begin(), image.pixels.end(),
                                     [](uint32_t pixel) { return pixel >= 0xff000000u; });
    UploadLayer(pool, layer);
    return static_cast<uint32_t>(index + 1) << 8 | static_cast<uint32_t>(layer);
}

void GlTexturePools::Remove(uint32_t handle)
{
    const uint32_t group = GroupOf(handle);
    const int layer = LayerOf(handle);
    if (group == 0 || group > pools.size() || layer == 0) return;
    Pool& pool = pools[group - 1];
    if (layer >= static_cast<int>(pool.used.size())) return;
    pool.used[layer] = false;
    pool.layers[layer].clear();
    pool.layers[layer].shrink_to_fit();
}

void GlTexturePools::MakeWhite()
{
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &whiteArray);
    glBindTexture(GL_TEXTURE_2D_ARRAY, whiteArray);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, 1, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
}

bool GlTexturePools::Opaque(uint32_t handle) const
{
    const uint32_t group = GroupOf(handle);
    if (group == 0 || group > pools.size()) return true;
    const Pool& pool = pools[group - 1];
    return LayerOf(handle) < pool.opaque.size() && pool.opaque[LayerOf(handle)];
}

uint32_t GlTexturePools::ArrayOf(uint32_t group) const
{
    if (group != 0 && group <= pools.size()) return pools[group - 1].array;
    return whiteArray;
}

}  // namespace platform
