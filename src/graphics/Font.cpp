#include "graphics/Font.h"

#include "core/Utf8.h"
#include "graphics/GlyphAtlas.h"
#include "graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

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
    atlasScale = graphics->PictureScale();
    atlas = graphics->FindGlyphAtlas(faceName, height, weight, atlasScale);
    return atlas != nullptr;
}

void Font::Release() { atlas = nullptr; }

namespace {

// Text is laid out in output pixels, where the atlas was rasterised; the quads are recorded in
// the 640x480 layout's pixels.
struct TextArea {
    float   scale = 1.0f;   // output pixels per layout pixel
    int32_t right = 0;      // output pixels: the picture's width
    int32_t bottom = 0;     // output pixels: the picture's height
};

// One glyph's quad, cut to the clip rectangle; nothing when it falls wholly outside.
void DrawClippedGlyph(Graphics* graphics, const GlyphAtlas& atlas, const GlyphAtlas::Glyph& glyph,
                      char32_t character, int32_t left, int32_t top, int32_t clipLeft,
                      int32_t clipTop, const TextArea& area, uint32_t colour)
{
    const int32_t x0 = std::max(left, clipLeft);
    const int32_t y0 = std::max(top, clipTop);
    const int32_t x1 = std::min(left + glyph.width, area.right);
    const int32_t y1 = std::min(top + glyph.height, area.bottom);
    if (x0 >= x1 || y0 >= y1) return;

    const Texture& texture = atlas.AtlasTexture();
    const float atlasWidth = static_cast<float>(texture.PixelWidth());
    const float atlasHeight = static_cast<float>(texture.PixelHeight());
    const float u0 = (glyph.atlasX + (x0 - left)) / atlasWidth;
    const float v0 = (glyph.atlasY + (y0 - top)) / atlasHeight;
    const float u1 = (glyph.atlasX + (x1 - left)) / atlasWidth;
    const float v1 = (glyph.atlasY + (y1 - top)) / atlasHeight;
    // Half an output pixel up and left puts texel centres on pixel centres: glyphs stay crisp.
    const float px0 = (x0 - 0.5f) / area.scale, py0 = (y0 - 0.5f) / area.scale;
    const float px1 = (x1 - 0.5f) / area.scale, py1 = (y1 - 0.5f) / area.scale;
    const ScreenVertex corners[4] = {
        {px0, py0, 0.0f, colour, u0, v0},
        {px1, py0, 0.0f, colour, u1, v0},
        {px1, py1, 0.0f, colour, u1, v1},
        {px0, py1, 0.0f, colour, u0, v1},
    };
    graphics->DrawTextQuad(&texture, corners, static_cast<int32_t>(character));
}

// The characters of a text beyond ASCII, ascending and each once: what its atlas must hold
// besides the ASCII ones.
std::u32string ExtraCharacters(const std::u32string& characters)
{
    std::u32string extras;
    for (const char32_t character : characters) {
        if (character >= 0x80) extras.push_back(character);
    }
    std::sort(extras.begin(), extras.end());
    extras.erase(std::unique(extras.begin(), extras.end()), extras.end());
    return extras;
}

}  // namespace

void Font::Draw(const char* text, int32_t layoutX, int32_t layoutY, uint32_t colour)
{
    if (atlas == nullptr || text == nullptr) return;
    // The output changed size: rasterise the face anew for it.
    if (graphics->PictureScale() != atlasScale) {
        atlasScale = graphics->PictureScale();
        const GlyphAtlas* scaled = graphics->FindGlyphAtlas(faceName, height, weight, atlasScale);
        if (scaled != nullptr) atlas = scaled;
    }
    TextArea area;
    area.scale = atlasScale;
    area.right = static_cast<int32_t>(std::lround(Graphics::PictureWidth() * atlasScale));
    area.bottom = static_cast<int32_t>(std::lround(Graphics::PictureHeight() * atlasScale));
    const auto x = static_cast<int32_t>(std::lround(layoutX * atlasScale));
    const auto y = static_cast<int32_t>(std::lround(layoutY * atlasScale));
    const std::u32string characters = DecodeUtf8(text);
    // A text with letters beyond ASCII (a Japanese menu) draws from an atlas of its own letters.
    const std::u32string extras = ExtraCharacters(characters);
    const GlyphAtlas* const textAtlas =
        extras.empty() ? atlas : graphics->FindGlyphAtlas(faceName, height, weight, atlasScale, extras);
    if (textAtlas == nullptr) return;
    const int32_t tabWidth = std::max(1, textAtlas->AverageWidth() * GlyphAtlas::TabColumns);
    int32_t penX = x;
    int32_t penY = y;
    for (const char32_t character : characters) {
        if (character == '\n') {
            penX = x;
            penY += textAtlas->LineHeight();
            continue;
        }
        if (character == '\t') {
            penX = x + ((penX - x) / tabWidth + 1) * tabWidth;
            continue;
        }
        const GlyphAtlas::Glyph* glyph = textAtlas->Find(character);
        if (glyph == nullptr) continue;
        if (penY >= area.bottom) break;
        if (glyph->width > 0 && glyph->height > 0 && penX < area.right) {
            DrawClippedGlyph(graphics, *textAtlas, *glyph, character, penX + glyph->left,
                             penY + glyph->top, x, y, area, colour);
        }
        penX += glyph->advance;
    }
}
