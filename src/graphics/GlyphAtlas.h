#pragma once
#include "graphics/Texture.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class Graphics;

// The glyphs of one face at one cell height and weight, rasterised once into a texture.
// Covers the printable ASCII characters and the other characters it was made for (those of one
// text, Japanese for instance); any other character draws as nothing.
class GlyphAtlas {
public:
    struct Glyph {
        int16_t left = 0;       // pixels from the pen to the bitmap's left edge
        int16_t top = 0;        // pixels from the cell's top to the bitmap's top edge
        int16_t width = 0;      // bitmap pixels
        int16_t height = 0;     // bitmap pixels
        int16_t advance = 0;    // pixels to the next pen position
        int16_t atlasX = 0;     // bitmap position in the atlas, pixels
        int16_t atlasY = 0;
    };
    static constexpr int FirstCharacter = 32;
    static constexpr int CharacterCount = 95;   // ' ' .. '~'
    static constexpr int TabColumns = 8;         // tab stops every eight average widths

    const Glyph* Find(char32_t character) const;
    int32_t LineHeight() const    { return lineHeight; }
    int32_t AverageWidth() const  { return averageWidth; }
    const Texture& AtlasTexture() const { return texture; }

    // Rasterises the face at a cell height in layout pixels times a scale (output pixels per
    // layout pixel); every metric of the atlas is in output pixels. `extras` are characters
    // beyond ASCII to hold as well, in ascending order. Null when no usable font exists.
    static std::unique_ptr<GlyphAtlas> Make(Graphics* graphics, const char* faceName, int32_t height,
                                            int32_t weight, float scale, const std::u32string& extras,
                                            std::string& error);

private:
    GlyphAtlas() = default;

    std::vector<Glyph> glyphs;    // the ASCII characters in order, then one per extra
    std::u32string     extras;    // ascending
    int32_t lineHeight = 0;     // pixels from one line's top to the next
    int32_t averageWidth = 0;   // pixels, for tab stops
    Texture texture;            // coverage in alpha, white colour
};

// One atlas per (face, height, weight, scale, extra characters), made on first request.
class GlyphAtlasCache {
public:
    const GlyphAtlas* Find(Graphics* graphics, const char* faceName, int32_t height, int32_t weight, float scale,
                           const std::u32string& extras = {});

private:
    using Key = std::tuple<std::string, int32_t, int32_t, float, std::u32string>;
    std::map<Key, std::unique_ptr<GlyphAtlas>> atlases;   // null entries remember failures
    bool warnedNoFont = false;
};
