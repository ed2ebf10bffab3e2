#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> words, CommandLine& options, std::string& error)
{
    words.insert(words.begin(), "velmoor");
    return ParseCommandLine(static_cast<int>(words.size()), words.data(), options, error);
}

}  // namespace

TEST(CommandLine, ReadsEveryOptionWithItsValue)
{
    CommandLine options;
    std::string error;
    ASSERT_TRUE(Parse({"--headless", "--no-render", "--timedemo", "--seed", "4294967295", "--frames", "450",
                       "--replay", "in.txt", "--record", "out.txt", "--trace", "-", "--screenshot", "3:a b.png",
                       "--screenshot", "10:c.png", "--no-music", "--soundfont", "gm.sf2", "--fullscreen"},
                      options, error)) << error;
    EXPECT_TRUE(options.headless && options.noRender && options.timedemo && options.noMusic);
    EXPECT_EQ(options.seed, 4294967295u);
    EXPECT_EQ(options.frames, 450u);
    EXPECT_EQ(options.replayPath, "in.txt");
    EXPECT_EQ(options.recordPath, "out.txt");
    EXPECT_EQ(options.tracePath, "-");
    ASSERT_EQ(options.screenshots.size(), 2u);
    EXPECT_EQ(options.screenshots[0].frame, 3u);
    EXPECT_EQ(options.screenshots[0].path, "a b.png");
    EXPECT_EQ(options.soundFont, "gm.sf2");
    EXPECT_EQ(options.windowed, false);
}

TEST(CommandLine, RefusesUnknownOptionsAndBadValuesNamingThem)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--sead", "1"}, {"--seed"}, {"--seed", "-1"}, {"--seed", "4294967296"}, {"--frames", "ten"},
        {"--screenshot", "12"}, {"--screenshot", "x:a.png"}, {"--screenshot", "5:"}, {"--title"},
        {"--trace", ""},
    };
    for (const auto& words : bad) {
        CommandLine options;
        std::string error;
        EXPECT_FALSE(Parse(words, options, error)) << words[0];
        EXPECT_NE(error.find(words[0]), std::string::npos) << error;
    }
}

TEST(CommandLine, HelpListsEveryOption)
{
    const std::string help = HelpText();
    for (const char* option : {"--windowed", "--fullscreen", "--seed", "--headless", "--no-render", "--timedemo",
                               "--frames", "--replay", "--record", "--trace", "--screenshot", "--print-ruin",
                               "--no-sound", "--no-music", "--soundfont", "--integer-scale", "--help", "--version"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}
