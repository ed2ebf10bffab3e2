#include "shell/CommandLine.h"

#include <gtest/gtest.h>

TEST(PresentationOptions, AreReadAndBadValuesRefused)
{
    const char* argv[] = {"velmoor", "--classic", "--fps", "144", "--msaa", "8", "--size", "1920x1080",
                          "--screenshot", "120.25:a.png", "--stats"};
    CommandLine options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(11, argv, options, error)) << error;
    EXPECT_TRUE(options.classic.value_or(false) && options.stats);
    EXPECT_EQ(options.fps, 144);
    EXPECT_EQ(options.msaa, 8);
    EXPECT_EQ(options.size, std::make_pair(1920, 1080));
    EXPECT_EQ(options.screenshots[0].frame, 120u);
    EXPECT_FLOAT_EQ(options.screenshots[0].fraction, 0.25f);

    for (const char* bad : {"--msaa=3", "--msaa=1", "--size=0x480", "--size=640", "--fps=-1", "--screenshot=5.:a.png",
                            "--screenshot=.5:a.png"}) {
        const std::string text(bad);
        const std::string option = text.substr(0, text.find('=')), value = text.substr(text.find('=') + 1);
        const char* args[] = {"velmoor", option.c_str(), value.c_str()};
        CommandLine refused;
        EXPECT_FALSE(ParseCommandLine(3, args, refused, error)) << bad;
    }
}
