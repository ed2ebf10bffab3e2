#include "platform/fonts/FontRasterizer.h"

#include "platform/fonts/FontFiles.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <memory>

namespace platform {
namespace {

// Ascent and descent in font units the way the cell height counts them (the Windows metrics
// when the font has them).
void CellMetrics(FT_Face face, long& ascent, long& descent, long& averageWidth)
{
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    } else {
        ascent = face->ascender;
        descent = -face->descender;
    }
    averageWidth = os2 != nullptr ? os2->xAvgCharWidth : 0;
}

using FaceOwner = std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)>;

FaceOwner OpenFace(const FontRequest& request, std::string& file, std::string& error)
{
    int index = 0;
    FT_Face face = nullptr;
    if (!MatchFontFile(request, file, index, error)) return FaceOwner(nullptr, FT_Done_Face);
    if (FT_New_Face(SharedFreeType(), file.c_str(), index, &face) != 0) {
        error = "cannot open " + file;
        face = nullptr;
    }
    return FaceOwner(face, FT_Done_Face);
}

void CopyGlyph(FT_GlyphSlot slot, int ascentPixels, RasterGlyph& glyph)
{
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = ascentPixels - slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        std::copy(source, source + glyph.width, glyph.coverage.begin() + static_cast<ptrdiff_t>(row) * glyph.width);
    }
}

// Rasterises one character of a face sized already; bold asked of a face that has no bold
// is made bold here, as Windows does.
bool RenderCharacter(FT_Face face, uint32_t character, bool embolden, int ascentPixels, RasterGlyph& glyph)
{
    if (!embolden) {
        if (FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
    } else {
        if (FT_Load_Char(face, character, FT_LOAD_TARGET_NORMAL) != 0) return false;
        FT_GlyphSlot_Embolden(face->glyph);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return false;
    }
    CopyGlyph(face->glyph, ascentPixels, glyph);
    return true;
}

bool Emboldens(FT_Face face, int weight) { return weight >= 600 && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0; }

// The characters the face lacks, from the Japanese gothic: its cell scaled to the same height,
// its baseline on the face's. Left empty when there is no such face.
void RasterizeMissing(FT_Face face, int cellHeight, int ascentPixels, int weight,
                      const std::vector<uint32_t>& characters, RasterFont& font)
{
    std::vector<size_t> missing;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (FT_Get_Char_Index(face, characters[i]) == 0) missing.push_back(i);
    }
    if (missing.empty()) return;
    std::string file, error;
    const FaceOwner gothic = OpenFace(JapaneseGothic(weight), file, error);
    long ascent = 0, descent = 0, averageWidth = 0;
    if (!gothic) return;
    CellMetrics(gothic.get(), ascent, descent, averageWidth);
    if (ascent + descent <= 0) return;
    const double pixelsPerEm = static_cast<double>(cellHeight) * gothic->units_per_EM / static_cast<double>(ascent + descent);
    FT_Set_Char_Size(gothic.get(), 0, static_cast<FT_F26Dot6>(std::lround(pixelsPerEm * 64.0)), 72, 72);
    const bool embolden = Emboldens(gothic.get(), weight);
    for (const size_t i : missing) RenderCharacter(gothic.get(), characters[i], embolden, ascentPixels, font.glyphs[i]);
}

}  // namespace

bool RasterizeFont(const char* faceName, int cellHeight, int weight, const std::vector<uint32_t>& characters,
                   RasterFont& font, std::string& error)
{
    FT_Library library = SharedFreeType();
    if (library == nullptr) {
        error = "FreeType cannot start";
        return false;
    }
    const FaceOwner owner = OpenFace(FontRequest{{faceName}, weight, {}}, font.file, error);
    if (!owner) return false;
    FT_Face face = owner.get();

    long ascent = 0, descent = 0, averageWidth = 0;
    CellMetrics(face, ascent, descent, averageWidth);
    if (ascent + descent <= 0 || face->units_per_EM == 0) {
        error = font.file + " has no usable metrics";
        return false;
    }
    // A positive height is the cell (ascent plus descent): scale the em so that it fits. A
    // negative one is the character height, the em itself.
    const double pixelsPerUnit = cellHeight > 0
        ? static_cast<double>(cellHeight) / static_cast<double>(ascent + descent)
        : static_cast<double>(-cellHeight) / static_cast<double>(face->units_per_EM);
    const double pixelsPerEm = pixelsPerUnit * face->units_per_EM;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixelsPerEm * 64.0)), 72, 72);
    const int ascentPixels = static_cast<int>(std::lround(ascent * pixelsPerUnit));

    font.cellHeight = static_cast<int>(std::lround((ascent + descent) * pixelsPerUnit));
    font.glyphs.assign(characters.size(), RasterGlyph());
    for (size_t i = 0; i < characters.size(); ++i) {
        if (FT_Get_Char_Index(face, characters[i]) == 0) continue;
        if (FT_Load_Char(face, characters[i], FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        CopyGlyph(face->glyph, ascentPixels, font.glyphs[i]);
    }
    RasterizeMissing(face, font.cellHeight, ascentPixels, weight, characters, font);
    font.averageWidth = static_cast<int>(std::lround(averageWidth * pixelsPerUnit));
    if (font.averageWidth <= 0 && FT_Load_Char(face, 'x', FT_LOAD_DEFAULT) == 0) {
        font.averageWidth = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    }
    return true;
}

}  // namespace platform
