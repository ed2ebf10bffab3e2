#include "core/VirtualKeys.h"
#include "shell/Replay.h"

#include <gtest/gtest.h>

TEST(Replay, ParsesSeedNamedAndNumberedKeysAndComments)
{
    Replay replay;
    std::string error;
    ASSERT_TRUE(ParseReplay("# a short game\n"
                            "velmoor-replay 1\r\n"
                            "seed 12345   # the ruin\n"
                            "\n"
                            "0 down space\n"
                            "0 up space\n"
                            "7 down 90\n"
                            "7 down pagedown\n",
                            replay, error)) << error;
    EXPECT_EQ(replay.seed, 12345u);
    const std::vector<ReplayEvent> expected = {
        {0, true, vk::Space}, {0, false, vk::Space}, {7, true, vk::Z}, {7, true, vk::PageDown}};
    EXPECT_EQ(replay.events, expected);
}

TEST(Replay, MalformedLinesAreRefusedNamingTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"seed 1\n", "line 1"},
        {"velmoor-replay 2\n", "line 1"},
        {"velmoor-replay 1\nseed x\n", "line 2"},
        {"velmoor-replay 1\n\n3 press space\n", "line 3"},
        {"velmoor-replay 1\n3 down enter\n", "line 2"},
        {"velmoor-replay 1\n3 down 256\n", "line 2"},
        {"velmoor-replay 1\n5 down z\n4 up z\n", "line 3"},
        {"velmoor-replay 1\nseed 1\nseed 2\n", "line 3"},
        {"velmoor-replay 1\n-1 down z\n", "line 2"},
        {"", "line 1"},
    };
    for (const auto& [text, where] : cases) {
        Replay replay;
        std::string error;
        EXPECT_FALSE(ParseReplay(text, replay, error)) << text;
        EXPECT_EQ(error.rfind(where, 0), 0u) << text << " -> " << error;
    }
}

TEST(Replay, FormatReadsBackToTheSameReplay)
{
    Replay original;
    original.seed = 99;
    original.events = {{0, true, vk::Up}, {12, true, 200}, {12, false, vk::Up}, {40, false, 200}};
    Replay again;
    std::string error;
    ASSERT_TRUE(ParseReplay(FormatReplay(original), again, error)) << error;
    EXPECT_EQ(again.seed, original.seed);
    EXPECT_EQ(again.events, original.events);
}

TEST(Replay, PlayerHandsOutEachEventOnceBeforeItsFrame)
{
    Replay replay;
    replay.events = {{2, true, vk::Left}, {2, true, vk::Up}, {5, false, vk::Left}};
    ReplayPlayer player(replay);
    EXPECT_TRUE(player.EventsBefore(0).empty());
    EXPECT_TRUE(player.EventsBefore(1).empty());
    EXPECT_EQ(player.EventsBefore(2).size(), 2u);
    EXPECT_TRUE(player.EventsBefore(3).empty());
    EXPECT_FALSE(player.Finished());
    const auto last = player.EventsBefore(9);   // a skipped frame still delivers in order
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].key, vk::Left);
    EXPECT_TRUE(player.Finished());
}
