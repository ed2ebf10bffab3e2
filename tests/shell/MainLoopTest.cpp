#include "shell/MainLoop.h"

#include "core/QuitRequest.h"
#include "core/Settings.h"
#include "core/VirtualKeys.h"
#include "game/Game.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// A simulated platform: a millisecond clock that only waiting moves, and a queue of messages
// that arrive at given times.
struct SimulatedPlatform {
    uint32_t now = 1000;
    struct Timed { uint32_t at; platform::Message message; };
    std::deque<Timed> arriving;
    std::vector<uint32_t> frameStarts;
    uint32_t waitedMs = 0;

    LoopPlatform Make()
    {
        return {[this] { return now; },
                [this](platform::Message& message) {
                    if (arriving.empty() || arriving.front().at > now) return false;
                    message = arriving.front().message;
                    arriving.pop_front();
                    now += 1;   // handling a message takes time
                    return true;
                },
                [this](uint32_t ms) { now += ms; waitedMs += ms; },
                [this] { return now / 1000.0; },
                [this](uint32_t start) { frameStarts.push_back(start); }};
    }
};

class MainLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseLogicOnlySettings();
        ResetQuitRequest();
        ASSERT_TRUE(game.Init());
    }
    void TearDown() override { ResetQuitRequest(); }

    Game game;
    CommandLine options;
    SimulatedPlatform simulated;
};

}  // namespace

TEST_F(MainLoopTest, FramesAre22MsApartAndAFloodOfMessagesDelaysTheNext)
{
    options.frames = 6;
    for (int i = 0; i < 40; ++i) simulated.arriving.push_back({1000 + 3 * 22, {wm::MouseMove, 0, i}});
    MainLoop loop(game, options, 1, nullptr, simulated.Make());
    EXPECT_EQ(loop.Run(), 0);
    ASSERT_EQ(simulated.frameStarts.size(), 6u);
    EXPECT_EQ(simulated.frameStarts[1] - simulated.frameStarts[0], 22u);
    // The flood arrives when frame 3 is due: every message is handled before it starts.
    EXPECT_EQ(simulated.frameStarts[3] - simulated.frameStarts[2], 22u + 40u);
    EXPECT_EQ(simulated.frameStarts[4] - simulated.frameStarts[3], 22u);
    EXPECT_EQ(simulated.frameStarts[5] - simulated.frameStarts[4], 22u);
}

TEST_F(MainLoopTest, EscapeEndsTheRunAfterTheFrameThatSawItWithExitCodeZero)
{
    Replay replay;
    replay.events = {{10, true, vk::Escape}};
    MainLoop loop(game, options, 1, &replay, simulated.Make());
    EXPECT_EQ(loop.Run(), 0);
    EXPECT_EQ(simulated.frameStarts.size(), 11u);   // frames 0..10
}

TEST_F(MainLoopTest, TheCloseButtonEndsTheRunAndAReplayIgnoresTheRealKeyboard)
{
    Replay replay;   // no events: only the real keyboard could press Escape
    simulated.arriving.push_back({1000, {wm::KeyDown, vk::Escape, 0}});
    simulated.arriving.push_back({1000 + 5 * 22, {wm::Close, 0, 0}});
    MainLoop loop(game, options, 1, &replay, simulated.Make());
    EXPECT_EQ(loop.Run(), 0);
    EXPECT_EQ(simulated.frameStarts.size(), 5u);   // closed while frame 5 was due
}

TEST_F(MainLoopTest, FirstFrameEntersTheTitle)
{
    EXPECT_EQ(game.State(), StateStartup);
    EXPECT_TRUE(game.Frame());
    EXPECT_EQ(game.State(), StateTitle);
    EXPECT_TRUE(game.FieldVisible() == false);   // the title sets it from its first step on
    game.Frame();
    EXPECT_TRUE(game.FieldVisible());
}
