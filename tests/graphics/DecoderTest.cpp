#include "PictureFiles.h"
#include "TestFiles.h"

#include "graphics/Texture.h"
#include "platform/images/BmpImage.h"
#include "platform/images/DdsImage.h"

#include <filesystem>
#include <tuple>
#include <gtest/gtest.h>

using namespace picturefiles;
using platform::DecodedImage;

namespace {

using Pixel = std::tuple<int, int, uint32_t>;

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

}  // namespace

TEST(DdsDecoder, ReadsUncompressedAndCompressedLayouts)
{
    // Uncompressed X8R8G8B8 is made opaque (with alpha, the art builder's files read back whole).
    const std::vector<uint32_t> pixels = {0x80112233, 0x00445566, 0xff778899, 0x01aabbcc, 0x7fddeeff, 0xc0010203};
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeDds(Dds32(3, 2, pixels, false), image));
    ASSERT_TRUE(image.width == 3 && image.height == 2);
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(image.pixels[i], pixels[i] | 0xff000000u) << i;

    // Compressed: the colour of chosen pixels (x, y, ARGB) of each file.
    const struct { const char* code; int width, height; std::vector<uint8_t> blocks; std::vector<Pixel> pixels; } cases[] = {
        // DXT1, c0 red > c1 blue: four opaque colours. Pixels 0..3 take indices 0..3.
        {"DXT1", 4, 4, {0x00, 0xf8, 0x1f, 0x00, 0xe4, 0, 0, 0},
         {{0, 0, 0xffff0000u}, {1, 0, 0xff0000ffu}, {2, 0, 0xffaa0055u}, {3, 0, 0xff5500aau}}},
        // c0 <= c1: index 2 is the midpoint and index 3 transparent black.
        {"DXT1", 4, 4, {0x1f, 0x00, 0x00, 0xf8, 0xe4, 0, 0, 0}, {{2, 0, 0xff7f007fu}, {3, 0, 0x00000000u}}},
        // 5x3 takes two whole blocks; the second (all zero) decodes opaque black.
        {"DXT1", 5, 3, {0xff, 0xff, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {{3, 2, 0xffffffffu}, {4, 2, 0xff000000u}}},
        // DXT3, colour white: pixel 0 alpha 0, pixel 1 alpha 15, pixel 2 alpha 8.
        {"DXT3", 4, 4, {0xf0, 0x08, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0, 0, 0, 0, 0, 0},
         {{0, 0, 0x00ffffffu}, {1, 0, 0xffffffffu}, {2, 0, 0x88ffffffu}}},
        // DXT5, eight-step ramp 255..0: pixel 0 index 1 (0), pixel 1 index 2 (6/7 of 255: 218), pixel 2 index 0.
        {"DXT5", 4, 4, {255, 0, 0x11, 0, 0, 0, 0, 0, 0xff, 0xff, 0, 0, 0, 0, 0, 0},
         {{0, 0, 0x00ffffffu}, {1, 0, 0xdaffffffu}, {2, 0, 0xffffffffu}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(platform::DecodeDds(DdsCompressed(c.width, c.height, c.code, c.blocks), image)) << c.code;
        EXPECT_EQ(image.pixels.size(), static_cast<size_t>(c.width * c.height));
        for (const auto& [x, y, colour] : c.pixels) EXPECT_EQ(image.At(x, y), colour) << c.code << " " << x << "," << y;
    }
}

TEST(BmpDecoder, ReadsEveryDepthInBothRowOrders)
{
    // Two pixels a row pad every depth's rows to four bytes; an 8-bit index past the palette is
    // black. (Bottom-up files of every depth come from the art builder and read back whole.)
    const std::vector<uint32_t> opaque = {0xff102030, 0xff405060, 0xff708090, 0xffa0b0c0};
    const std::vector<uint32_t> icon = {0x80ff0000, 0x00000000, 0xff00ff00, 0x400000ff};
    const std::vector<uint32_t> noAlpha = {0x00ff0000, 0x00000000, 0x0000ff00, 0x000000ff};
    const struct {
        int bits;
        bool topDown;
        std::vector<uint32_t> written, palette, expected;
    } cases[] = {
        {24, true, opaque, {}, opaque},
        {32, true, icon, {}, icon},
        {32, false, noAlpha, {}, {0xffff0000, 0xff000000, 0xff00ff00, 0xff0000ff}},
        {8, false, {0, 1, 2, 200}, {0x000000ff, 0x0000ff00, 0x00ff0000}, {0xff0000ff, 0xff00ff00, 0xffff0000, 0xff000000}},
    };
    for (const auto& c : cases) {
        DecodedImage image;
        ASSERT_TRUE(platform::DecodeBmp(Bmp(2, 2, c.bits, c.topDown, c.written, c.palette), image)) << c.bits;
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.pixels, c.expected) << c.bits << " bits, top-down " << c.topDown;
    }
}

TEST(Decoders, RefuseTruncatedCorruptAndUnsupportedFiles)
{
    const std::vector<uint32_t> pixels(16, 0xffffffff);
    const std::vector<uint8_t> dds = Dds32(4, 4, pixels, true);
    std::vector<uint8_t> wrongMagic = dds;
    wrongMagic[0] = 'X';
    const std::vector<std::vector<uint8_t>> badDds = {Cut(dds, dds.size() - 1), Cut(dds, 100), wrongMagic,
        DdsCompressed(8, 8, "DXT5", std::vector<uint8_t>(63, 0)), DdsCompressed(4, 4, "ATI2", std::vector<uint8_t>(16, 0)),
        Dds32(0, 4, {}, true), DdsHeader(100000, 100000, nullptr)};
    for (size_t i = 0; i < badDds.size(); ++i) {
        DecodedImage image;
        EXPECT_FALSE(platform::DecodeDds(badDds[i], image)) << i;
        EXPECT_TRUE(image.Empty()) << i;
    }

    const std::vector<uint8_t> bmp = Bmp(4, 4, 24, false, pixels);
    std::vector<uint8_t> farOffset = bmp;
    Put32(farOffset, 10, 0xfffffff0u);
    std::vector<uint8_t> hugePalette = Bmp(2, 2, 8, false, {0, 0, 0, 0}, {0});
    Put32(hugePalette, 46, 100000);
    std::vector<uint8_t> sixteenBits = bmp;
    sixteenBits[28] = 16;
    for (const auto& bad : {Cut(bmp, bmp.size() - 1), Cut(bmp, 30), sixteenBits, farOffset, hugePalette}) {
        DecodedImage image;
        EXPECT_FALSE(platform::DecodeBmp(bad, image));
        EXPECT_TRUE(image.Empty());
    }
}

// The declared size holds whatever the load does, so sprites cut from a sheet always lay out
// alike; a sheet that fails plays on untextured, so only this notices one that never loads.
TEST(TextureLoading, DeclaredSizeIsKeptWhateverTheLoadDoes)
{
    Texture missing;
    EXPECT_FALSE(missing.LoadFromFile(nullptr, "no-such-picture.dds", 256, 128));
    EXPECT_EQ(missing.Key(), 0u);
    EXPECT_TRUE(missing.Width() == 256 && missing.Height() == 128);

    const std::filesystem::path file = FreshTestFolder("graphics/decoder") / "sheet.dds";
    WriteBytes(file, Dds32(8, 4, std::vector<uint32_t>(32, 0x80ffffff), true));
    Texture sheet;
    EXPECT_TRUE(sheet.LoadFromFile(nullptr, file.c_str(), 256, 128));
    EXPECT_NE(sheet.Key(), 0u);
    EXPECT_EQ(sheet.PixelWidth(), 8);
    EXPECT_EQ(sheet.Width(), 256);
}
