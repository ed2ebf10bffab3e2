// The two banners: the game's name on the title screen and "STAGE CLEAR". Letters come from
// lettering.txt as plain masks; here they get a gold fill that is bright on top, dips through a
// darker band like polished metal, a one-pixel bevel toward the light, a dark violet outline
// and a drop shadow, so they hold up at the double size the screens draw them.

#include <algorithm>
#include <string>
#include <vector>

#include "ArtBook.h"

namespace {

constexpr int glyphTop = 1;        // banner row of the letters' row 0
constexpr int glyphHeight = 12;    // rows
constexpr int letterGap = 2;       // pixels between letters
constexpr int wordGap = 7;         // pixels for a space

// Gold step for each row of a letter, top to bottom.
constexpr int rowSteps[glyphHeight] = {5, 5, 4, 4, 3, 3, 2, 2, 3, 4, 3, 2};

struct Mask {
    int width;
    int height;
    std::vector<char> ink;  // 1 = letter, 2 = ornament

    char At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return ink[static_cast<size_t>(y) * width + x];
    }
    void Set(int x, int y, char value)
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        ink[static_cast<size_t>(y) * width + x] = value;
    }
};

int GlyphWidth(const ArtKit& kit, char c)
{
    if (c == ' ') return wordGap - letterGap;
    return kit.Lettering().Get(std::string(1, c)).Width();
}

int TextWidth(const ArtKit& kit, const std::string& text)
{
    int width = 0;
    for (const char c : text) width += GlyphWidth(kit, c) + letterGap;
    return width - letterGap;
}

void PlaceMap(Mask& mask, const PixelMap& map, int left, int top, char value)
{
    for (int y = 0; y < map.Height(); ++y) {
        for (int x = 0; x < map.Width(); ++x) {
            if (map.At(x, y) == '#') mask.Set(left + x, top + y, value);
        }
    }
}

int PlaceText(const ArtKit& kit, Mask& mask, const std::string& text, int left)
{
    for (const char c : text) {
        if (c != ' ') PlaceMap(mask, kit.Lettering().Get(std::string(1, c)), left, glyphTop, 1);
        left += GlyphWidth(kit, c) + letterGap;
    }
    return left - letterGap;
}

bool NearInk(const Mask& mask, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (mask.At(x + dx, y + dy)) return true;
        }
    }
    return false;
}

Canvas Paint(const ArtKit& kit, const Mask& mask)
{
    const Ramp& gold = kit.RampOf("lettergold");
    Canvas picture(mask.width, mask.height);
    // Shadow first: the outlined letters' shape moved one pixel right and down.
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (NearInk(mask, x - 1, y - 1)) picture.Set(x, y, kit.Colour("lettershade"));
        }
    }
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (!mask.At(x, y)) {
                if (NearInk(mask, x, y)) picture.Set(x, y, kit.Colour("letterline"));
                continue;
            }
            const int row = std::clamp(y - glyphTop, 0, glyphHeight - 1);
            int step = rowSteps[row];
            if (!mask.At(x, y - 1)) step += 1;                          // bevel catching the light
            else if (!mask.At(x + 1, y) || !mask.At(x, y + 1)) step -= 1;  // edges turned away
            picture.Set(x, y, gold[static_cast<size_t>(std::clamp(step, 1, static_cast<int>(gold.size()) - 1))]);
        }
    }
    return picture;
}

Canvas Banner(const ArtKit& kit, int width, int height, const std::string& text, bool ornaments)
{
    Mask mask{width, height, std::vector<char>(static_cast<size_t>(width) * height, 0)};
    const int textWidth = TextWidth(kit, text);
    const int left = (width - textWidth) / 2;
    const int right = PlaceText(kit, mask, text, left);
    if (ornaments) {
        const PixelMap& star = kit.Lettering().Get("ornament");
        PlaceMap(mask, star, left - star.Width() - 5, glyphTop + 3, 2);
        PlaceMap(mask, star, right + 5, glyphTop + 3, 2);
    }
    return Paint(kit, mask);
}

}  // namespace

Canvas DrawTitleBanner(const ArtKit& kit)
{
    return Banner(kit, 112, 16, "Velmoor", true);
}

Canvas DrawClearBanner(const ArtKit& kit)
{
    return Banner(kit, 160, 16, "STAGE CLEAR", true);
}
