#pragma once
#include "platform/images/DecodedImage.h"

#include <cstdint>
#include <vector>

namespace platform {

// Pictures live as layers of texture arrays, one array per picture size, so one draw call can
// use every picture of a size: each vertex names its layer. Layer 0 of every array is white,
// for untextured draws. A picture's handle holds its array (the group) and its layer.
class GlTexturePools {
public:
    static constexpr int MaxLayers = 255;   // layers an array may hold, white included

    static uint32_t GroupOf(uint32_t handle) { return handle >> 8; }
    static uint8_t LayerOf(uint32_t handle)  { return static_cast<uint8_t>(handle & 255u); }

    GlTexturePools() = default;
    ~GlTexturePools();
    GlTexturePools(const GlTexturePools&) = delete;
    GlTexturePools& operator=(const GlTexturePools&) = delete;

    void MakeWhite();                          // once the context is current
    uint32_t Add(const DecodedImage& image);   // 0 when the picture cannot be held
    void Remove(uint32_t handle);
    uint32_t ArrayOf(uint32_t group) const;    // the GL texture array; group 0: a white one
    bool Opaque(uint32_t handle) const;        // every pixel's alpha is full (white: yes)

private:
    struct Pool {
        int width = 0;
        int height = 0;
        uint32_t array = 0;                        // GL texture array
        int capacity = 0;                          // layers allocated on the GL side
        std::vector<std::vector<uint32_t>> layers; // ARGB copies, to refill the array when it grows
        std::vector<bool> used;
        std::vector<bool> opaque;                  // per layer: no pixel has less than full alpha
    };

    int FindPool(int width, int height);
    int FreeLayer(Pool& pool);
    void Allocate(Pool& pool, int capacity);
    void UploadLayer(const Pool& pool, int layer);

    std::vector<Pool> pools;   // group = index + 1
    uint32_t whiteArray = 0;   // for batches with no picture at all
};

}  // namespace platform
