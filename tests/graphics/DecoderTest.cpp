#include "PictureFiles.h"

#include "graphics/Texture.h"
#include "platform/BmpImage.h"
#include "platform/DdsImage.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace picturefiles;
using platform::DecodedImage;

namespace {

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

}  // namespace

TEST(DdsDecoder, ReadsUncompressedAndCompressedLayouts)
{
    // Uncompressed: alpha kept, or (X8R8G8B8) made opaque.
    const std::vector<uint32_t> pixels = {0x80112233, 0x00445566, 0xff778899, 0x01aabbcc, 0x7fddeeff, 0xc0010203};
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeDds(Dds32(3, 2, pixels, true), image));
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, pixels);
    ASSERT_TRUE(platform::DecodeDds(Dds32(3, 2, pixels, false), image));
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(image.pixels[i], pixels[i] | 0xff000000u) << i;

    // DXT1, c0 red > c1 blue: four opaque colours. Pixels 0..3 take indices 0..3.
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT1", {0x00, 0xf8, 0x1f, 0x00, 0xe4, 0, 0, 0}), image));
    const uint32_t fourColours[] = {0xffff0000u, 0xff0000ffu, 0xffaa0055u, 0xff5500aau};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(image.At(x, 0), fourColours[x]) << x;

    // c0 <= c1: index 2 is the midpoint and index 3 transparent black.
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT1", {0x1f, 0x00, 0x00, 0xf8, 0xe4, 0, 0, 0}), image));
    EXPECT_EQ(image.At(2, 0), 0xff7f007fu);
    EXPECT_EQ(image.At(3, 0), 0x00000000u);

    // 5x3 takes two whole blocks; the second (all zero) decodes opaque black.
    std::vector<uint8_t> blocks(2 * 8, 0);
    blocks[0] = blocks[1] = 0xff;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(5, 3, "DXT1", blocks), image));
    EXPECT_EQ(image.pixels.size(), 15u);
    EXPECT_EQ(image.At(3, 2), 0xffffffffu);
    EXPECT_EQ(image.At(4, 2), 0xff000000u);

    // DXT3: pixel 0 alpha 0, pixel 1 alpha 15, pixel 2 alpha 8; colour white.
    std::vector<uint8_t> dxt3(16, 0);
    dxt3[0] = 0xf0;
    dxt3[1] = 0x08;
    dxt3[8] = dxt3[9] = 0xff;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT3", dxt3), image));
    EXPECT_EQ(image.At(0, 0), 0x00ffffffu);
    EXPECT_EQ(image.At(1, 0), 0xffffffffu);
    EXPECT_EQ(image.At(2, 0), 0x88ffffffu);

    // DXT5 eight-step ramp 255..0: pixel 0 index 1 (0), pixel 1 index 2 (6/7 of 255).
    std::vector<uint8_t> dxt5(16, 0);
    dxt5[0] = 255;
    dxt5[2] = 0x11;
    dxt5[8] = dxt5[9] = 0xff;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT5", dxt5), image));
    EXPECT_EQ(image.At(0, 0) >> 24, 0u);
    EXPECT_EQ(image.At(1, 0) >> 24, 218u);
    EXPECT_EQ(image.At(2, 0) >> 24, 255u);
}

TEST(BmpDecoder, ReadsEveryDepthInBothRowOrders)
{
    // Two pixels a row pad every depth's rows to four bytes; an 8-bit index past the palette is black.
    const std::vector<uint32_t> opaque = {0xff102030, 0xff405060, 0xff708090, 0xffa0b0c0};
    const std::vector<uint32_t> icon = {0x80ff0000, 0x00000000, 0xff00ff00, 0x400000ff};
    const std::vector<uint32_t> noAlpha = {0x00ff0000, 0x00000000, 0x0000ff00, 0x000000ff};
    const struct {
        int bits;
        bool topDown;
        std::vector<uint32_t> written, palette, expected;
    } cases[] = {
        {24, false, opaque, {}, opaque},
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
    EXPECT_EQ(missing.Width(), 256);
    EXPECT_EQ(missing.Height(), 128);

    const std::filesystem::path file = std::filesystem::path(VELMOOR_TEST_OUTPUT_DIR) / "decoder-sheet.dds";
    std::filesystem::create_directories(file.parent_path());
    const std::vector<uint8_t> bytes = Dds32(8, 4, std::vector<uint32_t>(32, 0x80ffffff), true);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Texture sheet;
    EXPECT_TRUE(sheet.LoadFromFile(nullptr, file.c_str(), 256, 128));
    EXPECT_NE(sheet.Key(), 0u);
    EXPECT_EQ(sheet.PixelWidth(), 8);
    EXPECT_EQ(sheet.Width(), 256);
}
