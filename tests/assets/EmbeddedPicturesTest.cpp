#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "AssetReaders.h"
#include "graphics/EmbeddedResources.h"

namespace {

using platform::DecodedImage;

struct Expected {
    const char* name;
    int size;             // pixels, both ways
    int bitsPerPixel;
    uint32_t paletteEntries;
};

const Expected pictures[] = {
    {"IMAGE_FIELD0", 48, 8, 256}, {"IMAGE_FIELD1", 48, 8, 256}, {"IMAGE_FIELD2", 48, 24, 0},
    {"IMAGE_FIELD3", 48, 24, 0},  {"IMAGE_FIELD4", 48, 24, 0},  {"IMAGE_FIELD5", 48, 8, 138},
    {"GAMEICON", 32, 32, 0},
};

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

Colour Average(const DecodedImage& bmp, int top, int bottom) { return MeanColour(bmp, 0, top, bmp.width, bottom); }

// How much two neighbouring columns (rows, when not across) differ in brightness, averaged
// along them; line `i` is compared with the next one, wrapping from the last to the first.
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

// Found by name in the program, each in the layout the game's loader and window icon expect.
TEST(EmbeddedPictures, HaveTheirDeclaredSizesDepthsAndPalettes)
{
    for (const Expected& e : pictures) {
        SCOPED_TRACE(e.name);
        const std::span<const uint8_t> bytes = FindEmbeddedResource(e.name);
        ASSERT_GE(bytes.size(), 54u);
        const DecodedImage bmp = Embedded(e.name);
        EXPECT_EQ(bmp.width, e.size);
        EXPECT_EQ(Le32(bytes, 22), static_cast<uint32_t>(e.size)) << "positive height: bottom-up rows";
        EXPECT_EQ(Le16(bytes, 28), e.bitsPerPixel);
        EXPECT_EQ(Le32(bytes, 30), 0u) << "uncompressed";
        EXPECT_EQ(Le32(bytes, 10), 54u + 4u * e.paletteEntries);
    }
    EXPECT_EQ(Le32(FindEmbeddedResource("IMAGE_FIELD5"), 46), 138u);
    EXPECT_TRUE(FindEmbeddedResource("IMAGE_FIELD6").empty());
    EXPECT_TRUE(FindEmbeddedResource("").empty());
}

TEST(EmbeddedPictures, IconHasRealAlpha)
{
    const DecodedImage icon = Embedded("GAMEICON");
    ASSERT_EQ(icon.width, 32);
    const auto withAlpha = [&](uint8_t a) {
        return std::count_if(icon.pixels.begin(), icon.pixels.end(), [a](uint32_t p) { return Alpha(p) == a; });
    };
    EXPECT_GT(withAlpha(0), 50);
    EXPECT_GT(withAlpha(255), 400);
    EXPECT_EQ(Alpha(icon.At(0, 0)) | Alpha(icon.At(31, 31)), 0) << "corners show the desktop";
    EXPECT_EQ(Alpha(icon.At(16, 16)), 255u);
}

TEST(EmbeddedPictures, SurfacesTileWithoutVisibleSeams)
{
    // The check itself must be able to fail: a plain left-to-right ramp does not tile.
    DecodedImage ramp;
    ramp.width = ramp.height = 48;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) ramp.pixels.push_back(0xff000000u | static_cast<uint32_t>(x * 5) * 0x010101u);
    }
    ASSERT_FALSE(Tiles(ramp, true));

    for (const char* name : {"IMAGE_FIELD0", "IMAGE_FIELD1", "IMAGE_FIELD2", "IMAGE_FIELD3", "IMAGE_FIELD4", "IMAGE_FIELD5"}) {
        const DecodedImage bmp = Embedded(name);
        EXPECT_TRUE(Tiles(bmp, true)) << name << " shows a seam side by side";
        // The grass-topped side stacks on nothing above it, so only it may differ top to bottom.
        EXPECT_TRUE(Tiles(bmp, false) || std::string(name) == "IMAGE_FIELD2") << name << " shows a seam stacked";
    }
}

TEST(EmbeddedPictures, SurfacesShowWhatTheyAreFor)
{
    const Colour grass = Average(Embedded("IMAGE_FIELD0"), 0, 48);
    EXPECT_GT(grass.g, grass.r + 30);
    EXPECT_GT(grass.g, grass.b + 30);

    const auto count = [](const DecodedImage& bmp, auto test) {
        return std::count_if(bmp.pixels.begin(), bmp.pixels.end(), [&](uint32_t p) { return test(Unpack(p), Luma(p)); });
    };
    EXPECT_GT(count(Embedded("IMAGE_FIELD1"), [](Colour c, double luma) { return c.r > c.g && c.b > c.g && luma > 150; }),
              100) << "pale lilac on the magic circle";
    const DecodedImage topSide = Embedded("IMAGE_FIELD2");
    const Colour band = Average(topSide, 0, 5);
    const Colour below = Average(topSide, 16, 48);
    EXPECT_GT(band.g, band.r) << "grass along the top edge (v = 0)";
    EXPECT_GT(below.r, below.b + 20) << "brown stone and earth below";
    const Colour side = Average(Embedded("IMAGE_FIELD3"), 0, 48);
    EXPECT_GT(side.r, side.b + 20);
    EXPECT_GE(side.r, side.g);

    const DecodedImage bricks = Embedded("IMAGE_FIELD4");
    EXPECT_GT(count(bricks, [](Colour c, double luma) { return c.r > c.g + 15 && c.r > c.b + 10 && luma < 90; }), 200)
        << "dark red mortar";
    EXPECT_GT(count(bricks, [](Colour c, double luma) { return c.b >= c.r && luma > 80; }), 900) << "blue-grey bricks";

    const Colour water = Average(Embedded("IMAGE_FIELD5"), 0, 48);
    EXPECT_GT(water.b, water.r + 40);
    EXPECT_GT(water.r + water.g + water.b, 3 * 150.0) << "light blue";
}

}  // namespace
