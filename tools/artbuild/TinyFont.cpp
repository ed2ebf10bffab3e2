#include "TinyFont.h"

#include <cctype>

namespace {

// Five rows of three bits each, top row first, leftmost pixel in the highest bit.
struct Glyph {
    char c;
    unsigned char rows[5];
};

constexpr Glyph glyphs[] = {
    {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}}, {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}},
    {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}}, {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}},
    {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}}, {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}},
    {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}}, {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}},
    {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}}, {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}},
    {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}}, {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}},
    {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}}, {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}},
    {'2', {6, 1, 2, 4, 7}}, {'3', {6, 1, 2, 1, 6}}, {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 6, 1, 6}},
    {'6', {3, 4, 7, 5, 7}}, {'7', {7, 1, 1, 2, 2}}, {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 6}},
    {'-', {0, 0, 7, 0, 0}}, {'.', {0, 0, 0, 0, 2}}, {',', {0, 0, 0, 2, 4}}, {':', {0, 2, 0, 2, 0}},
    {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}}, {'/', {1, 1, 2, 4, 4}}, {'x', {0, 5, 2, 5, 0}},
    {'+', {0, 2, 7, 2, 0}}, {'_', {0, 0, 0, 0, 7}}, {'#', {5, 7, 5, 7, 5}},
};

const Glyph* Find(char c)
{
    for (const Glyph& glyph : glyphs) {
        if (glyph.c == c) return &glyph;
    }
    return nullptr;
}

}  // namespace

void DrawTinyText(Canvas& canvas, int x, int y, std::string_view text, Rgba colour, int scale)
{
    for (const char raw : text) {
        const char c = raw == 'x' ? raw : static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (const Glyph* glyph = Find(c)) {
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < 3; ++column) {
                    if (!(glyph->rows[row] & (4 >> column))) continue;
                    for (int sy = 0; sy < scale; ++sy) {
                        for (int sx = 0; sx < scale; ++sx)
                            canvas.Set(x + column * scale + sx, y + row * scale + sy, colour);
                    }
                }
            }
        }
        x += 4 * scale;
    }
}

int TinyTextWidth(std::string_view text, int scale)
{
    return static_cast<int>(text.size()) * 4 * scale - scale;
}
