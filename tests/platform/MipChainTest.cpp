#include "platform/gl/MipChain.h"

#include <gtest/gtest.h>

#include <vector>

using platform::DecodedImage;

TEST(MipChain, EveryLevelDownToOnePixel)
{
    EXPECT_EQ(platform::MipLevelCount(48, 48), 6);    // 48 24 12 6 3 1
    EXPECT_EQ(platform::MipLevelCount(512, 32), 10);  // the long side sets the count
    EXPECT_EQ(platform::MipLevelCount(1, 1), 1);
}

TEST(MipChain, EachPixelAveragesItsBlockChannelByChannel)
{
    // Channels must not carry into each other: full and empty channels side by side.
    const DecodedImage level{4, 2, {0xff00ff00u, 0x00ff00ffu, 0x10203040u, 0x10203040u,
                                    0xff00ff00u, 0x00ff00ffu, 0x10203040u, 0x11203041u}};
    const DecodedImage half = platform::HalveImage(level);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.At(0, 0), 0x80808080u);   // 510 / 4 = 127.5, rounded to nearest
    EXPECT_EQ(half.At(1, 0), 0x10203040u);   // one in four off by one: a quarter rounds away
}

TEST(MipChain, OddAndSinglePixelSidesStayInsideThePicture)
{
    // Three by three: the last row and column have no pixel below them.
    const DecodedImage square = platform::HalveImage(DecodedImage{3, 3, {4, 8, 999, 12, 16, 999, 999, 999, 999}});
    ASSERT_EQ(square.pixels.size(), 1u);
    EXPECT_EQ(square.At(0, 0), 10u);

    // One pixel wide: pairs down the column.
    const DecodedImage column = platform::HalveImage(DecodedImage{1, 4, {2, 4, 100, 200}});
    ASSERT_EQ(column.width, 1);
    ASSERT_EQ(column.height, 2);
    EXPECT_EQ(column.At(0, 0), 3u);
    EXPECT_EQ(column.At(0, 1), 150u);
}
