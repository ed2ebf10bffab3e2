#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "AssetReaders.h"
#include "graphics/EmbeddedResources.h"

namespace {

using platform::DecodedImage;

DecodedImage Embedded(const char* name)
{
    DecodedImage image;
    if (!platform::DecodeBmp(FindEmbeddedResource(name), image)) ADD_FAILURE() << name << " does not decode";
    return image;
}

double Luma(uint32_t pixel)
{
    const Colour c = Unpack(pixel);
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

// How much line `i` and the next one (wrapping from the last to the first) differ in
// brightness, averaged along them; columns when `across`, rows otherwise.
double Contrast(const DecodedImage& bmp, int i, bool across)
{
    const auto at = [&](int line, int along) { return Luma(across ? bmp.At(line, along) : bmp.At(along, line)); };
    double sum = 0;
    for (int j = 0; j < bmp.height; ++j) sum += std::abs(at(i, j) - at((i + 1) % bmp.width, j));
    return sum / bmp.height;
}

// Tiled side by side (or stacked), the wrap from the last line to the first must be no harsher
// than the strongest edge inside the picture (a brick's edge against its mortar, say); a seam
// that stands out beyond every edge of the pattern itself is visible. Pictures are square.
bool Tiles(const DecodedImage& bmp, bool across)
{
    double strongestInside = 0;
    for (int i = 0; i + 1 < bmp.width; ++i) strongestInside = std::max(strongestInside, Contrast(bmp, i, across));
    return Contrast(bmp, bmp.width - 1, across) <= strongestInside * 1.05 + 1.0;
}

// Found by name in the program: the six 48-pixel surfaces the field loads, and the icon, whose
// corners show the desktop behind it.
TEST(EmbeddedPictures, AreFoundByNameAtTheirSizesAndTheIconHasRealAlpha)
{
    for (const char* name : {"IMAGE_FIELD0", "IMAGE_FIELD1", "IMAGE_FIELD2", "IMAGE_FIELD3", "IMAGE_FIELD4",
                             "IMAGE_FIELD5"}) {
        const DecodedImage bmp = Embedded(name);
        EXPECT_TRUE(bmp.width == 48 && bmp.height == 48) << name;
    }
    EXPECT_TRUE(FindEmbeddedResource("IMAGE_FIELD6").empty());

    const DecodedImage icon = Embedded("GAMEICON");
    ASSERT_EQ(icon.width, 32);
    const auto withAlpha = [&](uint8_t a) {
        return std::ranges::count_if(icon.pixels, [a](uint32_t p) { return Alpha(p) == a; });
    };
    EXPECT_GT(withAlpha(0), 50);
    EXPECT_GT(withAlpha(255), 400);
    EXPECT_EQ(Alpha(icon.At(0, 0)) | Alpha(icon.At(31, 31)), 0);
}

TEST(EmbeddedPictures, SurfacesTileWithoutVisibleSeams)
{
    for (const char* name : {"IMAGE_FIELD0", "IMAGE_FIELD1", "IMAGE_FIELD2", "IMAGE_FIELD3", "IMAGE_FIELD4",
                             "IMAGE_FIELD5"}) {
        const DecodedImage bmp = Embedded(name);
        EXPECT_TRUE(Tiles(bmp, true)) << name << " shows a seam side by side";
        // The grass-topped side stacks on nothing above it, so only it may differ top to bottom.
        EXPECT_TRUE(Tiles(bmp, false) || std::string(name) == "IMAGE_FIELD2") << name << " shows a seam stacked";
    }
}

using MeanTest = bool (*)(Colour);
using PixelTest = bool (*)(Colour, double luma);

TEST(EmbeddedPictures, SurfacesShowWhatTheyAreFor)
{
    // The mean colour of rows [top, bottom).
    const struct { const char* name; int top, bottom; MeanTest holds; const char* what; } means[] = {
        {"IMAGE_FIELD0", 0, 48, [](Colour c) { return c.g > c.r + 30 && c.g > c.b + 30; }, "green grass"},
        {"IMAGE_FIELD2", 0, 5, [](Colour c) { return c.g > c.r; }, "grass along the top edge (v = 0)"},
        {"IMAGE_FIELD2", 16, 48, [](Colour c) { return c.r > c.b + 20; }, "brown stone and earth below"},
        {"IMAGE_FIELD3", 0, 48, [](Colour c) { return c.r > c.b + 20 && c.r >= c.g; }, "brown stone"},
        {"IMAGE_FIELD5", 0, 48, [](Colour c) { return c.b > c.r + 40 && c.r + c.g + c.b > 450; }, "light blue"}};
    for (const auto& m : means)
        EXPECT_TRUE(m.holds(MeanColour(Embedded(m.name), 0, m.top, 48, m.bottom))) << m.name << ": " << m.what;

    // How many pixels show a colour of the pattern.
    const struct { const char* name; PixelTest shows; int atLeast; const char* what; } patterns[] = {
        {"IMAGE_FIELD1", [](Colour c, double l) { return c.r > c.g && c.b > c.g && l > 150; }, 100, "pale lilac"},
        {"IMAGE_FIELD4", [](Colour c, double l) { return c.r > c.g + 15 && c.r > c.b + 10 && l < 90; }, 200, "red mortar"},
        {"IMAGE_FIELD4", [](Colour c, double l) { return c.b >= c.r && l > 80; }, 900, "blue-grey bricks"}};
    for (const auto& p : patterns) {
        const DecodedImage bmp = Embedded(p.name);
        const auto shown = std::ranges::count_if(bmp.pixels, [&](uint32_t px) { return p.shows(Unpack(px), Luma(px)); });
        EXPECT_GT(shown, p.atLeast) << p.name << ": " << p.what;
    }
}

}  // namespace
