#include "platform/dialogs/DialogFont.h"

#include "core/Utf8.h"
#include "platform/fonts/FontFiles.h"

#include <SDL.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace platform {
namespace {

constexpr std::string_view LatinLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

int Advance(FT_Face face, char32_t character)
{
    if (FT_Load_Char(face, character, FT_LOAD_DEFAULT) != 0) return 0;
    return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

// One rendered glyph's coverage into the alpha of a white line picture.
void CopyCoverage(const FT_Bitmap& bitmap, SDL_Surface* line, int left, int top)
{
    auto* pixels = static_cast<uint32_t*>(line->pixels);
    const int pitch = line->pitch / 4;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        const int y = top + row;
        if (y < 0 || y >= line->h) continue;
        for (int column = 0; column < static_cast<int>(bitmap.width); ++column) {
            const int x = left + column;
            if (x < 0 || x >= line->w) continue;
            const unsigned coverage = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                ? ((source[column / 8] >> (7 - column % 8)) & 1u) * 255u
                : source[column];
            uint32_t& pixel = pixels[y * pitch + x];
            const unsigned alpha = std::max<unsigned>(pixel >> 24, coverage);
            pixel = (alpha << 24) | 0xFFFFFFu;
        }
    }
}

}  // namespace

bool OpenDialogFace(DialogFont& font, int pixels, std::string& error)
{
    return font.Open(JapaneseGothic(400), pixels, error);
}

DialogFont::~DialogFont()
{
    for (auto& [key, texture] : lines) SDL_DestroyTexture(texture);
    if (face) FT_Done_Face(face);
}

bool DialogFont::Open(const FontRequest& request, int pixels, std::string& error)
{
    int index = 0;
    if (SharedFreeType() == nullptr) {
        error = "FreeType cannot start";
        return false;
    }
    if (!MatchFontFile(request, file, index, error)) return false;
    if (FT_New_Face(SharedFreeType(), file.c_str(), index, &face) != 0) {
        face = nullptr;
        error = "cannot open " + file;
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    // The cell as Windows measures it, from the font's Windows ascent and descent.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double scale = static_cast<double>(pixels) / face->units_per_EM;
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = static_cast<int>(std::lround(os2->usWinAscent * scale));
        lineHeight = ascent + static_cast<int>(std::lround(os2->usWinDescent * scale));
    } else {
        ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
        lineHeight = static_cast<int>((face->size->metrics.height + 63) >> 6);
    }
    int letters = 0;
    for (const char letter : LatinLetters) letters += Advance(face, static_cast<unsigned char>(letter));
    averageWidth = (letters / static_cast<int>(LatinLetters.size() / 2) + 1) / 2;
    return true;
}

int DialogFont::Width(std::string_view text) const
{
    if (!face) return 0;
    int width = 0;
    for (const char32_t point : DecodeUtf8(text)) width += Advance(face, point);
    return width;
}

SDL_Texture* DialogFont::LineTexture(SDL_Renderer* renderer, std::string_view text)
{
    const auto key = std::make_pair(renderer, std::string(text));
    if (const auto found = lines.find(key); found != lines.end()) return found->second;
    const int width = std::max(1, Width(text));
    SDL_Surface* line = SDL_CreateRGBSurfaceWithFormat(0, width, std::max(1, lineHeight), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!line) return nullptr;
    SDL_FillRect(line, nullptr, 0x00FFFFFFu);
    int pen = 0;
    for (const char32_t point : DecodeUtf8(text)) {
        if (FT_Load_Char(face, point, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot glyph = face->glyph;
        CopyCoverage(glyph->bitmap, line, pen + glyph->bitmap_left, ascent - glyph->bitmap_top);
        pen += static_cast<int>((glyph->advance.x + 32) >> 6);
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, line);
    SDL_FreeSurface(line);
    if (texture) SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    lines[key] = texture;
    return texture;
}

void DialogFont::Draw(SDL_Renderer* renderer, std::string_view text, int x, int y, uint32_t rgb)
{
    if (!face || text.empty()) return;
    SDL_Texture* texture = LineTexture(renderer, text);
    if (!texture) return;
    int width = 0, height = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
    SDL_SetTextureColorMod(texture, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const SDL_Rect target{x, y, width, height};
    SDL_RenderCopy(renderer, texture, nullptr, &target);
}

void DialogFont::Forget(SDL_Renderer* renderer)
{
    for (auto line = lines.begin(); line != lines.end();) {
        if (line->first.first != renderer) {
            ++line;
            continue;
        }
        SDL_DestroyTexture(line->second);
        line = lines.erase(line);
    }
}

}  // namespace platform
