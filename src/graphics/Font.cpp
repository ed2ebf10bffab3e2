#include "graphics/Font.h"

#include "graphics/GlyphAtlas.h"
#include "graphics/Graphics.h"

#include <algorithm>
#include <cstring>

Font::Font(Graphics* graphics_) : graphics(graphics_) {}

Font::~Font() { Release(); }

void Font::SetFaceName(const char* name)
{
    if (name == nullptr) name = "";
    const size_t length = std::min(std::strlen(name), static_cast<size_t>(FaceNameCapacity - 1));
    std::memcpy(faceName, name, length);
    faceName[length] = '\0';
}

void Font::SetParam(int32_t which, int32_t value)
{
    if (which == ParamHeight) height = value;
    if (which == ParamWeight) weight = value;
}

bool Font::Create()
{
    if (atlas != nullptr) return true;
    atlas = graphics->FindGlyphAtlas(faceName, height, weight);
    return atlas != nullptr;
}

void Font::Release() { atlas = nullptr; }

namespace {

// One glyph's quad, cut to the clip rectangle; nothing when it falls wholly outside.
void DrawClippedGlyph(Graphics* graphics, const GlyphAtlas& atlas, const GlyphAtlas::Glyph& glyph,
                      unsigned char character, int32_t left, int32_t top, int32_t clipLeft,
                      int32_t clipTop, uint32_t colour)
{
    const int32_t x0 = std::max(left, clipLeft);
    const int32_t y0 = std::max(top, clipTop);
    const int32_t x1 = std::min(left + glyph.width, Graphics::PictureWidth());
    const int32_t y1 = std::min(top + glyph.height, Graphics::PictureHeight());
    if (x0 >= x1 || y0 >= y1) return;

    const Texture& texture = atlas.AtlasTexture();
    const float atlasWidth = static_cast<float>(texture.PixelWidth());
    const float atlasHeight = static_cast<float>(texture.PixelHeight());
    const float u0 = (glyph.atlasX + (x0 - left)) / atlasWidth;
    const float v0 = (glyph.atlasY + (y0 - top)) / atlasHeight;
    const float u1 = (glyph.atlasX + (x1 - left)) / atlasWidth;
    const float v1 = (glyph.atlasY + (y1 - top)) / atlasHeight;
    // Half a pixel up and left puts texel centres on pixel centres: glyphs stay crisp.
    const float px0 = x0 - 0.5f, py0 = y0 - 0.5f, px1 = x1 - 0.5f, py1 = y1 - 0.5f;
    const ScreenVertex corners[4] = {
        {px0, py0, 0.0f, colour, u0, v0},
        {px1, py0, 0.0f, colour, u1, v0},
        {px1, py1, 0.0f, colour, u1, v1},
        {px0, py1, 0.0f, colour, u0, v1},
    };
    graphics->DrawTextQuad(&texture, corners, character);
}

}  // namespace

void Font::Draw(const char* text, int32_t x, int32_t y, uint32_t colour)
{
    if (atlas == nullptr || text == nullptr) return;
    const int32_t tabWidth = std::max(1, atlas->AverageWidth() * GlyphAtlas::TabColumns);
    int32_t penX = x;
    int32_t penY = y;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto character = static_cast<unsigned char>(*p);
        if (character == '\n') {
            penX = x;
            penY += atlas->LineHeight();
            continue;
        }
        if (character == '\t') {
            penX = x + ((penX - x) / tabWidth + 1) * tabWidth;
            continue;
        }
        const GlyphAtlas::Glyph* glyph = atlas->Find(character);
        if (glyph == nullptr) continue;
        if (penY >= Graphics::PictureHeight()) break;
        if (glyph->width > 0 && glyph->height > 0 && penX < Graphics::PictureWidth()) {
            DrawClippedGlyph(graphics, *atlas, *glyph, character, penX + glyph->left,
                             penY + glyph->top, x, y, colour);
        }
        penX += glyph->advance;
    }
}
