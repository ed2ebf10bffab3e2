#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// One rasterised glyph: 8-bit coverage, top row first.
struct RasterGlyph {
    int left = 0;        // pixels from the pen to the bitmap's left edge
    int top = 0;         // pixels from the cell's top to the bitmap's top edge
    int width = 0;
    int height = 0;
    int advance = 0;     // pixels
    std::vector<uint8_t> coverage;   // width * height
};

struct RasterFont {
    int cellHeight = 0;     // pixels, ascent plus descent
    int averageWidth = 0;   // pixels
    std::string file;       // the font file fontconfig chose
    std::vector<RasterGlyph> glyphs;   // one per requested character
};

// Finds the face asked for through fontconfig (its best match, so "Courier" bold finds a bold
// Courier-metric face) and rasterises the characters at a cell height (ascent plus descent) in
// pixels, or, when negative, at that character (em) height. Characters the face lacks (Japanese
// in the Courier-like face) come from the Japanese gothic, scaled to the same cell and set on the
// same baseline, so a Japanese text reads right in any face. False when no font file can be
// found or opened; error tells why.
bool RasterizeFont(const char* faceName, int cellHeight, int weight,
                   const std::vector<uint32_t>& characters, RasterFont& font, std::string& error);

}  // namespace platform
