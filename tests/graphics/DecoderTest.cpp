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

TEST(DdsDecoder, UncompressedKeepsAlphaOrMakesOpaque)
{
    const std::vector<uint32_t> pixels = {0x80112233, 0x00445566, 0xff778899, 0x01aabbcc, 0x7fddeeff, 0xc0010203};
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeDds(Dds32(3, 2, pixels, true), image));
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, pixels);

    ASSERT_TRUE(platform::DecodeDds(Dds32(3, 2, pixels, false), image));
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(image.pixels[i], pixels[i] | 0xff000000u) << i;
}

TEST(DdsDecoder, Dxt1ColoursAndTransparentBlack)
{
    // c0 red > c1 blue: four opaque colours. Pixels 0..3 take indices 0..3.
    const std::vector<uint8_t> fourColours = {0x00, 0xf8, 0x1f, 0x00, 0xe4, 0x00, 0x00, 0x00};
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT1", fourColours), image));
    EXPECT_EQ(image.At(0, 0), 0xffff0000u);
    EXPECT_EQ(image.At(1, 0), 0xff0000ffu);
    EXPECT_EQ(image.At(2, 0), 0xffaa0055u);
    EXPECT_EQ(image.At(3, 0), 0xff5500aau);
    EXPECT_EQ(image.At(0, 1), 0xffff0000u);

    // c0 <= c1: index 2 is the midpoint and index 3 transparent black.
    const std::vector<uint8_t> threeColours = {0x1f, 0x00, 0x00, 0xf8, 0xe4, 0x00, 0x00, 0x00};
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT1", threeColours), image));
    EXPECT_EQ(image.At(2, 0), 0xff7f007fu);
    EXPECT_EQ(image.At(3, 0), 0x00000000u);

    // 5x3 takes two whole blocks; the second (all zero) decodes opaque black.
    std::vector<uint8_t> blocks(2 * 8, 0);
    blocks[0] = 0xff; blocks[1] = 0xff;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(5, 3, "DXT1", blocks), image));
    EXPECT_EQ(image.pixels.size(), 15u);
    EXPECT_EQ(image.At(3, 2), 0xffffffffu);
    EXPECT_EQ(image.At(4, 2), 0xff000000u);
}

TEST(DdsDecoder, Dxt3AndDxt5Alpha)
{
    std::vector<uint8_t> dxt3(16, 0);
    dxt3[0] = 0xf0;                      // pixel 0 alpha 0, pixel 1 alpha 15
    dxt3[1] = 0x08;                      // pixel 2 alpha 8
    dxt3[8] = 0xff; dxt3[9] = 0xff;      // colour white, all indices 0
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT3", dxt3), image));
    EXPECT_EQ(image.At(0, 0), 0x00ffffffu);
    EXPECT_EQ(image.At(1, 0), 0xffffffffu);
    EXPECT_EQ(image.At(2, 0), 0x88ffffffu);

    std::vector<uint8_t> dxt5(16, 0);
    dxt5[0] = 255; dxt5[1] = 0;          // eight-step ramp
    dxt5[2] = 0x11;                      // pixel 0 index 1 (0), pixel 1 index 2 (6/7 of 255)
    dxt5[8] = 0xff; dxt5[9] = 0xff;
    ASSERT_TRUE(platform::DecodeDds(DdsCompressed(4, 4, "DXT5", dxt5), image));
    EXPECT_EQ(image.At(0, 0) >> 24, 0u);
    EXPECT_EQ(image.At(1, 0) >> 24, 218u);
    EXPECT_EQ(image.At(2, 0) >> 24, 255u);
}

TEST(DdsDecoder, RefusesTruncatedAndCorruptFiles)
{
    const std::vector<uint32_t> pixels(16, 0xffffffff);
    const std::vector<uint8_t> good = Dds32(4, 4, pixels, true);
    DecodedImage image;
    EXPECT_FALSE(platform::DecodeDds(Cut(good, good.size() - 1), image));
    EXPECT_TRUE(image.Empty());
    EXPECT_FALSE(platform::DecodeDds(Cut(good, 100), image));
    EXPECT_FALSE(platform::DecodeDds(DdsCompressed(8, 8, "DXT5", std::vector<uint8_t>(63, 0)), image));
    EXPECT_FALSE(platform::DecodeDds(DdsCompressed(4, 4, "ATI2", std::vector<uint8_t>(16, 0)), image));
    EXPECT_FALSE(platform::DecodeDds(Dds32(0, 4, {}, true), image));
    EXPECT_FALSE(platform::DecodeDds(DdsHeader(100000, 100000, 0x41, 0, 32, 0xff0000, 0xff00, 0xff, 0xff000000), image));
    std::vector<uint8_t> wrongMagic = good;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(platform::DecodeDds(wrongMagic, image));
}

TEST(BmpDecoder, TwentyFourBitRowsBottomUpAndTopDown)
{
    // Width 3 pads each 9-byte row to 12.
    const std::vector<uint32_t> pixels = {0xff102030, 0xff405060, 0xff708090, 0xffa0b0c0, 0xffd0e0f0, 0xff010203};
    for (bool topDown : {false, true}) {
        DecodedImage image;
        ASSERT_TRUE(platform::DecodeBmp(Bmp(3, 2, 24, topDown, pixels), image)) << topDown;
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.pixels, pixels) << topDown;
    }
}

TEST(BmpDecoder, PalettizedPicturesAreOpaqueAndStayInsideThePalette)
{
    const std::vector<uint32_t> palette = {0x000000ff, 0x0000ff00, 0x00ff0000};
    const std::vector<uint32_t> indices = {0, 1, 2, 200};   // 200 lies past the three entries
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeBmp(Bmp(2, 2, 8, false, indices, palette), image));
    EXPECT_EQ(image.At(0, 0), 0xff0000ffu);
    EXPECT_EQ(image.At(1, 0), 0xff00ff00u);
    EXPECT_EQ(image.At(0, 1), 0xffff0000u);
    EXPECT_EQ(image.At(1, 1), 0xff000000u);
}

TEST(BmpDecoder, ThirtyTwoBitKeepsAlphaUnlessUnused)
{
    const std::vector<uint32_t> icon = {0x80ff0000, 0x00000000, 0xff00ff00, 0x400000ff};
    DecodedImage image;
    ASSERT_TRUE(platform::DecodeBmp(Bmp(2, 2, 32, true, icon), image));
    EXPECT_EQ(image.pixels, icon);

    const std::vector<uint32_t> noAlpha = {0x00ff0000, 0x00000000, 0x0000ff00, 0x000000ff};
    ASSERT_TRUE(platform::DecodeBmp(Bmp(2, 2, 32, false, noAlpha), image));
    EXPECT_EQ(image.At(0, 0), 0xffff0000u);
    EXPECT_EQ(image.At(1, 0), 0xff000000u);
}

TEST(BmpDecoder, RefusesTruncatedAndUnsupportedFiles)
{
    const std::vector<uint32_t> pixels(16, 0xffffffff);
    const std::vector<uint8_t> good = Bmp(4, 4, 24, false, pixels);
    DecodedImage image;
    EXPECT_FALSE(platform::DecodeBmp(Cut(good, good.size() - 1), image));
    EXPECT_TRUE(image.Empty());
    EXPECT_FALSE(platform::DecodeBmp(Cut(good, 30), image));
    EXPECT_FALSE(platform::DecodeBmp(Bmp(4, 4, 16, false, pixels), image));
    std::vector<uint8_t> farOffset = good;
    Put32(farOffset, 10, 0xfffffff0u);
    EXPECT_FALSE(platform::DecodeBmp(farOffset, image));
    std::vector<uint8_t> hugePalette = Bmp(2, 2, 8, false, {0, 0, 0, 0}, {0});
    Put32(hugePalette, 46, 100000);
    EXPECT_FALSE(platform::DecodeBmp(hugePalette, image));
}

TEST(TextureLoading, DeclaredSizeIsKeptWhateverTheLoadDoes)
{
    Texture missing;
    EXPECT_FALSE(missing.LoadFromFile(nullptr, "no-such-picture.dds", 256, 256));
    EXPECT_FALSE(missing.Loaded());
    EXPECT_EQ(missing.Key(), 0u);
    EXPECT_EQ(missing.Width(), 256);
    EXPECT_EQ(missing.Height(), 256);

    Texture unknown;
    EXPECT_FALSE(unknown.LoadFromResource(nullptr, "NO_SUCH_RESOURCE", 48, 48));
    EXPECT_EQ(unknown.Width(), 48);

    const std::filesystem::path folder(VELMOOR_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "decoder-sheet.dds";
    const std::vector<uint8_t> bytes = Dds32(8, 4, std::vector<uint32_t>(32, 0x80ffffff), true);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    Texture sheet;
    EXPECT_TRUE(sheet.LoadFromFile(nullptr, file.c_str(), 256, 128));
    EXPECT_TRUE(sheet.Loaded());
    EXPECT_NE(sheet.Key(), 0u);
    EXPECT_EQ(sheet.PixelWidth(), 8);
    EXPECT_EQ(sheet.Width(), 256);
    EXPECT_EQ(sheet.Height(), 128);
}
