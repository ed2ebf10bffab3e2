#include "platform/FontRasterizer.h"

#include "platform/FontFiles.h"

#include <ft2build.h>
#include FT_FREETYPE_H
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

}  // namespace

bool RasterizeFont(const char* faceName, int cellHeight, int weight, const std::vector<uint32_t>& characters,
                   RasterFont& font, std::string& error)
{
    FT_Library library = SharedFreeType();
    if (library == nullptr) {
        error = "FreeType cannot start";
        return false;
    }
    int index = 0;
    if (!MatchFontFile(FontRequest{{faceName}, weight, {}}, font.file, index, error)) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, font.file.c_str(), index, &face) != 0) {
        error = "cannot open " + font.file;
        return false;
    }
    std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> owner(face, FT_Done_Face);

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
        if (FT_Load_Char(face, characters[i], FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
        CopyGlyph(face->glyph, ascentPixels, font.glyphs[i]);
    }
    font.averageWidth = static_cast<int>(std::lround(averageWidth * pixelsPerUnit));
    if (font.averageWidth <= 0 && FT_Load_Char(face, 'x', FT_LOAD_DEFAULT) == 0) {
        font.averageWidth = static_cast<int>((face->glyph->advance.x + 32) >> 6);
    }
    return true;
}

}  // namespace platform
