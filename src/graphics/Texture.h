#pragma once
#include <cstdint>
#include <memory>
#include <span>

class Graphics;
namespace platform { class GlRenderer; struct DecodedImage; }

// One picture on the renderer together with the size its caller declares for it. The declared
// size, not the decoded one, turns pixel rectangles into texture coordinates, so a rectangle
// given in the picture's own pixels always maps onto the same part of it.
//
// A missing or unreadable picture leaves the texture empty without a message; drawing with an
// empty texture draws untextured. The load results only help tests: the game ignores them.
class Texture {
public:
    Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    ~Texture();

    // A DDS file found among the data files (uncompressed ARGB/XRGB, DXT1/3/5).
    bool LoadFromFile(Graphics* graphics, const char* fileName, uint16_t width, uint16_t height);
    // A BMP compiled into the program ("IMAGE_FIELD0" ... "IMAGE_FIELD5", "GAMEICON").
    bool LoadFromResource(Graphics* graphics, const char* resourceName, uint16_t width, uint16_t height);
    // Pixels made by the program itself (glyph atlases, tests).
    bool LoadFromImage(Graphics* graphics, const platform::DecodedImage& image, uint16_t width, uint16_t height);

    int16_t Width() const  { return static_cast<int16_t>(width); }    // declared
    int16_t Height() const { return static_cast<int16_t>(height); }   // declared
    bool Loaded() const    { return loaded; }
    int PixelWidth() const  { return pixelWidth; }    // as decoded
    int PixelHeight() const { return pixelHeight; }   // as decoded
    uint32_t RendererObject() const { return handle; }   // 0 when nothing is on the renderer
    uint32_t Key() const { return loaded ? serial : 0; }  // unique per loaded picture; 0: none
    uint32_t Group() const { return loaded ? group : 0; } // pictures of one group share draw calls

private:
    void Unload();
    bool Upload(Graphics* graphics, const platform::DecodedImage& image);

    std::weak_ptr<platform::GlRenderer> renderer;   // where handle lives
    uint32_t handle = 0;       // renderer texture object; 0: none
    uint16_t width = 0;        // declared pixels
    uint16_t height = 0;       // declared pixels
    bool     loaded = false;   // a picture was decoded
    int      pixelWidth = 0;   // decoded pixels
    int      pixelHeight = 0;  // decoded pixels
    uint32_t serial = 0;       // given on each successful load, never reused
    uint32_t group = 0;        // the renderer's group, or one per decoded size without a renderer
};
