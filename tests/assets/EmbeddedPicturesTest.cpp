#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "AssetReaders.h"
#include "TestPaths.h"
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

struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour Unpack(uint32_t pixel)
{
    return {static_cast<double>((pixel >> 16) & 0xff), static_cast<double>((pixel >> 8) & 0xff),
            static_cast<double>(pixel & 0xff)};
}

double Luma(uint32_t pixel)
{
    const Colour c = Unpack(pixel);
    return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
}

Colour Average(const DecodedImage& bmp, int top, int bottom)
{
    Colour sum;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            const Colour c = Unpack(bmp.At(x, y));
            sum.r += c.r;
            sum.g += c.g;
            sum.b += c.b;
        }
    }
    const double count = static_cast<double>(bmp.width) * (bottom - top);
    return {sum.r / count, sum.g / count, sum.b / count};
}

// How much two neighbouring columns differ in brightness, averaged down the picture; column
// `x` is compared with the next one, wrapping from the last column to the first.
double ColumnContrast(const DecodedImage& bmp, int x)
{
    double sum = 0;
    for (int y = 0; y < bmp.height; ++y) sum += std::abs(Luma(bmp.At(x, y)) - Luma(bmp.At((x + 1) % bmp.width, y)));
    return sum / bmp.height;
}

DecodedImage Transposed(const DecodedImage& bmp)
{
    DecodedImage t = bmp;
    std::swap(t.width, t.height);
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) t.pixels[static_cast<size_t>(x) * t.width + y] = bmp.At(x, y);
    }
    return t;
}

// Tiled side by side, the wrap from the last column to the first must be no harsher than the
// strongest edge inside the picture (a brick's edge against its mortar, say); a seam that
// stands out beyond every edge of the pattern itself is visible.
bool TilesAcross(const DecodedImage& bmp)
{
    double strongestInside = 0;
    for (int x = 0; x + 1 < bmp.width; ++x) strongestInside = std::max(strongestInside, ColumnContrast(bmp, x));
    return ColumnContrast(bmp, bmp.width - 1) <= strongestInside * 1.05 + 1.0;
}

TEST(EmbeddedPictures, HaveTheirDeclaredSizesDepthsAndPalettesAndMatchTheBuiltFiles)
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
        const std::vector<uint8_t> file = ReadFileBytes((ArtOutputFolder() / (std::string(e.name) + ".bmp")).string());
        EXPECT_TRUE(std::equal(file.begin(), file.end(), bytes.begin(), bytes.end()));
    }
    EXPECT_EQ(Le32(FindEmbeddedResource("IMAGE_FIELD5"), 46), 138u);
    EXPECT_TRUE(FindEmbeddedResource("IMAGE_FIELD6").empty());
    EXPECT_TRUE(FindEmbeddedResource("").empty());
}

TEST(EmbeddedPictures, IconHasRealAlpha)
{
    const DecodedImage icon = Embedded("GAMEICON");
    ASSERT_EQ(icon.width, 32);
    int clear = 0, solid = 0;
    for (const uint32_t p : icon.pixels) {
        clear += Alpha(p) == 0;
        solid += Alpha(p) == 255;
    }
    EXPECT_EQ(Alpha(icon.At(0, 0)), 0u) << "corners show the desktop";
    EXPECT_EQ(Alpha(icon.At(31, 31)), 0u);
    EXPECT_EQ(Alpha(icon.At(16, 16)), 255u);
    EXPECT_GT(clear, 50);
    EXPECT_GT(solid, 400);
}

TEST(EmbeddedPictures, SurfacesTileWithoutVisibleSeams)
{
    // The check itself must be able to fail: a plain left-to-right ramp does not tile.
    DecodedImage ramp;
    ramp.width = ramp.height = 48;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) ramp.pixels.push_back(0xff000000u | static_cast<uint32_t>(x * 5) * 0x010101u);
    }
    ASSERT_FALSE(TilesAcross(ramp));

    for (const char* name : {"IMAGE_FIELD0", "IMAGE_FIELD1", "IMAGE_FIELD2", "IMAGE_FIELD3", "IMAGE_FIELD4", "IMAGE_FIELD5"}) {
        const DecodedImage bmp = Embedded(name);
        EXPECT_TRUE(TilesAcross(bmp)) << name << " shows a seam side by side";
        // The grass-topped side stacks on nothing above it, so only it may differ top to bottom.
        if (std::string(name) != "IMAGE_FIELD2") {
            EXPECT_TRUE(TilesAcross(Transposed(bmp))) << name << " shows a seam stacked";
        }
    }
}

TEST(EmbeddedPictures, SurfacesShowWhatTheyAreFor)
{
    const Colour grass = Average(Embedded("IMAGE_FIELD0"), 0, 48);
    EXPECT_GT(grass.g, grass.r + 30);
    EXPECT_GT(grass.g, grass.b + 30);

    // Some pixels of the magic-circle top are pale lilac: bright, with more red and blue than green.
    int lilac = 0;
    for (const uint32_t p : Embedded("IMAGE_FIELD1").pixels) {
        const Colour c = Unpack(p);
        lilac += c.r > c.g && c.b > c.g && Luma(p) > 150;
    }
    EXPECT_GT(lilac, 100);

    const DecodedImage topSide = Embedded("IMAGE_FIELD2");
    const Colour band = Average(topSide, 0, 5);
    const Colour below = Average(topSide, 16, 48);
    EXPECT_GT(band.g, band.r) << "grass along the top edge (v = 0)";
    EXPECT_GT(below.r, below.b + 20) << "brown stone and earth below";
    const Colour side = Average(Embedded("IMAGE_FIELD3"), 0, 48);
    EXPECT_GT(side.r, side.b + 20);
    EXPECT_GE(side.r, side.g);

    int mortar = 0, brick = 0;
    for (const uint32_t p : Embedded("IMAGE_FIELD4").pixels) {
        const Colour c = Unpack(p);
        mortar += c.r > c.g + 15 && c.r > c.b + 10 && Luma(p) < 90;
        brick += c.b >= c.r && Luma(p) > 80;
    }
    EXPECT_GT(mortar, 200) << "dark red mortar";
    EXPECT_GT(brick, 900) << "blue-grey bricks";

    const Colour water = Average(Embedded("IMAGE_FIELD5"), 0, 48);
    EXPECT_GT(water.b, water.r + 40);
    EXPECT_GT(water.r + water.g + water.b, 3 * 150.0) << "light blue";
}

}  // namespace
