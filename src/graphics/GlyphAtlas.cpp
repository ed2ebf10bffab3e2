#include "graphics/GlyphAtlas.h"

#include "platform/images/DecodedImage.h"
#include "platform/fonts/FontRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

const GlyphAtlas::Glyph* GlyphAtlas::Find(char32_t character) const
{
    if (character >= FirstCharacter && character < FirstCharacter + CharacterCount) {
        return &glyphs[character - FirstCharacter];
    }
    const auto extra = std::lower_bound(extras.begin(), extras.end(), character);
    if (extra == extras.end() || *extra != character) return nullptr;
    return &glyphs[CharacterCount + static_cast<size_t>(extra - extras.begin())];
}

namespace {

constexpr int AtlasWidth = 512;   // pixels; rows of glyphs are packed left to right
constexpr int GlyphPadding = 1;   // empty pixels between glyphs so filtering never bleeds

// Places every glyph on shelf rows; returns the atlas height needed.
int PackGlyphs(const platform::RasterFont& font, std::vector<GlyphAtlas::Glyph>& glyphs)
{
    int x = GlyphPadding, y = GlyphPadding, rowHeight = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const platform::RasterGlyph& raster = font.glyphs[i];
        GlyphAtlas::Glyph& glyph = glyphs[i];
        if (x + raster.width + GlyphPadding > AtlasWidth) {
            x = GlyphPadding;
            y += rowHeight + GlyphPadding;
            rowHeight = 0;
        }
        glyph.left = static_cast<int16_t>(raster.left);
        glyph.top = static_cast<int16_t>(raster.top);
        glyph.width = static_cast<int16_t>(std::min(raster.width, AtlasWidth - 2 * GlyphPadding));
        glyph.height = static_cast<int16_t>(raster.height);
        glyph.advance = static_cast<int16_t>(raster.advance);
        glyph.atlasX = static_cast<int16_t>(x);
        glyph.atlasY = static_cast<int16_t>(y);
        x += glyph.width + GlyphPadding;
        rowHeight = std::max(rowHeight, raster.height);
    }
    return y + rowHeight + GlyphPadding;
}

// White pixels whose alpha is the glyph coverage, so a text colour modulates them.
platform::DecodedImage PaintAtlas(const platform::RasterFont& font,
                                  const std::vector<GlyphAtlas::Glyph>& glyphs,
                                  int height)
{
    platform::DecodedImage image;
    image.width = AtlasWidth;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(AtlasWidth) * height, 0x00ffffffu);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const platform::RasterGlyph& raster = font.glyphs[i];
        const GlyphAtlas::Glyph& glyph = glyphs[i];
        for (int row = 0; row < glyph.height; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                const uint32_t coverage = raster.coverage[static_cast<size_t>(row) * raster.width + column];
                image.pixels[static_cast<size_t>(glyph.atlasY + row) * AtlasWidth + glyph.atlasX + column] =
                    (coverage << 24) | 0x00ffffffu;
            }
        }
    }
    return image;
}

}  // namespace

std::unique_ptr<GlyphAtlas> GlyphAtlas::Make(Graphics* graphics, const char* faceName, int32_t height,
                                             int32_t weight, float scale, const std::u32string& extras,
                                             std::string& error)
{
    if (height == 0 || height > 512 || height < -512) {
        error = "unusable text height " + std::to_string(height);
        return nullptr;
    }
    const auto outputHeight = static_cast<int32_t>(std::lround(height * static_cast<double>(scale)));
    if (outputHeight == 0) {
        error = "unusable text scale";
        return nullptr;
    }
    std::vector<uint32_t> characters;
    for (int c = FirstCharacter; c < FirstCharacter + CharacterCount; ++c) characters.push_back(static_cast<uint32_t>(c));
    characters.insert(characters.end(), extras.begin(), extras.end());
    platform::RasterFont font;
    if (!platform::RasterizeFont(faceName, outputHeight, weight, characters, font, error)) return nullptr;

    auto atlas = std::unique_ptr<GlyphAtlas>(new GlyphAtlas());
    atlas->glyphs.resize(characters.size());
    atlas->extras = extras;
    // Whole powers of two, so atlases of different fonts often share a size and a draw call.
    const int packedHeight = PackGlyphs(font, atlas->glyphs);
    int atlasHeight = 16;
    while (atlasHeight < packedHeight) atlasHeight *= 2;
    atlas->lineHeight = font.cellHeight;
    atlas->averageWidth = font.averageWidth;
    const platform::DecodedImage image = PaintAtlas(font, atlas->glyphs, atlasHeight);
    atlas->texture.LoadFromImage(graphics, image, static_cast<uint16_t>(image.width),
                                 static_cast<uint16_t>(image.height));
    return atlas;
}

const GlyphAtlas* GlyphAtlasCache::Find(Graphics* graphics, const char* faceName, int32_t height, int32_t weight,
                                        float scale, const std::u32string& extras)
{
    Key key{faceName ? faceName : "", height, weight, scale, extras};
    auto found = atlases.find(key);
    if (found != atlases.end()) return found->second.get();

    std::string error;
    std::unique_ptr<GlyphAtlas> atlas = GlyphAtlas::Make(graphics, std::get<0>(key).c_str(), height, weight, scale, extras, error);
    if (!atlas && !warnedNoFont) {
        std::fprintf(stderr, "velmoor: no usable font for \"%s\" (%s); text is not drawn\n",
                     std::get<0>(key).c_str(), error.c_str());
        warnedNoFont = true;
    }
    return atlases.emplace(std::move(key), std::move(atlas)).first->second.get();
}
