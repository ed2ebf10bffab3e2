#include "platform/gl/RgbaBytes.h"

#include <gtest/gtest.h>

#include <vector>

// A picture given to OpenGL ES, or read back from it, in the wrong byte order would swap the
// game's reds and blues or lose its alpha in the browser alone.
TEST(RgbaBytes, ArgbWordsGoOutAsRgbaBytesAndComeBackWhole)
{
    const std::vector<uint32_t> argb = {0x80112233u, 0xff000000u, 0x00ffffffu, 0x01020304u};
    const std::vector<uint8_t> rgba = platform::RgbaBytesOf(argb);
    const std::vector<uint8_t> expected = {0x11, 0x22, 0x33, 0x80, 0, 0, 0, 0xff, 0xff, 0xff, 0xff, 0, 2, 3, 4, 1};
    EXPECT_EQ(rgba, expected);

    std::vector<uint32_t> back(argb.size(), 0xdeadbeefu);
    platform::ArgbWordsOf(rgba, back);
    EXPECT_EQ(back, argb);
}
