#include "shell/MainLoop.h"

#include "core/QuitRequest.h"
#include "core/Settings.h"
#include "core/VirtualKeys.h"
#include "core/Keyboard.h"
#include "game/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace {

// A simulated platform: a millisecond clock that only waiting, handling messages and the
// frames' own work move, and a queue of messages that arrive at given times.
struct SimulatedPlatform {
    uint32_t now = 1000;
    struct Timed { uint32_t at; platform::Message message; };
    std::deque<Timed> arriving;
    std::vector<uint32_t> workMs;   // what each frame's work takes, by frame; none past the end
    std::vector<uint32_t> frameStarts;
    uint32_t waitedMs = 0;

    LoopPlatform Make()
    {
        return {[this] { return now; },
                [this](platform::Message& message) {
                    if (arriving.empty() || static_cast<int32_t>(arriving.front().at - now) > 0) return false;
                    message = arriving.front().message;
                    arriving.pop_front();
                    now += 1;   // handling a message takes time
                    return true;
                },
                [this](uint32_t ms) {   // a message that arrives meanwhile ends the wait
                    if (!arriving.empty()) ms = std::min(ms, arriving.front().at - now);
                    now += ms;
                    waitedMs += ms;
                },
                [this] { return now / 1000.0; },
                [this](uint32_t start) {
                    if (frameStarts.size() < workMs.size()) now += workMs[frameStarts.size()];
                    frameStarts.push_back(start);
                }};
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

TEST_F(MainLoopTest, FramesStart22MsApartAcrossTheClockWrapAndLateOnesAreNotCaughtUp)
{
    simulated.now = 0xffffffc0u;                    // wraps during the third frame
    simulated.workMs = {5, 5, 5, 50, 5, 5, 5, 5};   // frame 3 takes long
    // One message wakes the loop as the clock wraps, a millisecond before frame 3 is due; 40
    // arrive just when frame 6 is due, and every one is handled before it starts.
    simulated.arriving.push_back({0, {wm::MouseMove, 0, 0}});
    for (int i = 0; i < 40; ++i) simulated.arriving.push_back({simulated.now + 160, {wm::MouseMove, 0, i}});
    options.frames = 8;
    MainLoop loop(game, options, 1, nullptr, simulated.Make());
    EXPECT_EQ(loop.Run(), 0);
    ASSERT_EQ(simulated.frameStarts.size(), 8u);
    const uint32_t apart[] = {22, 22, 22, 50, 22, 22 + 40, 22};
    for (size_t i = 1; i < 8; ++i) EXPECT_EQ(simulated.frameStarts[i] - simulated.frameStarts[i - 1], apart[i - 1]) << i;
    EXPECT_EQ(simulated.waitedMs, 6u * 17u - 1u) << "the rest of each period is waited, not spun";
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

// A browser calls the loop at the display's rate (here 60 Hz, every 16 or 17 ms) and the loop
// must never wait. It still runs 45 frames a second, and a call that comes late (a busy tab)
// runs one frame, not the ones it missed.
TEST_F(MainLoopTest, CalledPerAnimationFrameItRunsTheDueFramesWithoutWaitingOrCatchingUp)
{
    LoopPlatform browser = simulated.Make();
    browser.calledPerAnimationFrame = true;
    MainLoop loop(game, options, 1, nullptr, std::move(browser));
    const uint32_t start = simulated.now;
    for (int call = 0; call < 60; ++call) {
        ASSERT_TRUE(loop.Pass());
        simulated.now = start + static_cast<uint32_t>((call + 1) * 1000 / 60);
    }
    EXPECT_EQ(simulated.waitedMs, 0u);
    EXPECT_EQ(simulated.frameStarts.size(), 45u) << "a second of calls: frames due at 0, 22, ... 968 ms";
    simulated.now += 200;   // nine frames' worth without a call
    ASSERT_TRUE(loop.Pass());
    ASSERT_TRUE(loop.Pass());
    EXPECT_EQ(simulated.frameStarts.size(), 46u);
    simulated.arriving.push_back({simulated.now, {wm::Close, 0, 0}});
    EXPECT_FALSE(loop.Pass());
    EXPECT_EQ(loop.End(), 0);
}

namespace {

// Options that only the pause's silence is asked of.
struct SilentOptions final : OptionsHost {
    std::vector<bool> holds;
    OptionValues Values() const override { return {}; }
    void SetFullscreen(bool) override {}
    void SetClassicPictures(bool) override {}
    void SetLinearTexture(bool) override {}
    void SetMusicVolume(int) override {}
    void SetSoundVolume(int) override {}
    void BindKey(size_t, uint8_t) override {}
    void HoldSound(bool hold) override { holds.push_back(hold); }
};

platform::Message Key(bool down, uint8_t key) { return {down ? wm::KeyDown : wm::KeyUp, key, key}; }

}  // namespace

TEST_F(MainLoopTest, APauseRunsNoFrameAndTheGameHearsOnlyWhatItMustOfTheKeys)
{
    SilentOptions host;
    simulated.arriving = {
        {1000 + 1 * 22 + 1, Key(true, vk::Up)},      // held from before the pause ...
        {1000 + 3 * 22 + 1, Key(true, vk::P)},       // pauses before frame 4
        {1000 + 400, Key(false, vk::Up)},            // ... and let go during it
        {1000 + 500, Key(true, vk::Shift)},          // went down during the pause and stays down
        {1000 + 600, Key(true, vk::Return)},         // resumes
        {1000 + 601, Key(false, vk::Return)},
        {1000 + 650, Key(true, vk::Shift)},          // the held key's auto-repeat
        {1000 + 700, Key(false, vk::P)},
    };
    options.frames = 12;
    MainLoop loop(game, options, 1, nullptr, simulated.Make());
    loop.EnablePause(host, false);
    std::vector<bool> upDown, shiftDown;
    loop.SetFrameObserver([&] {
        upDown.push_back(game.GetKeyboard()->Down(vk::Up));
        shiftDown.push_back(game.GetKeyboard()->Down(vk::Shift));
    });
    EXPECT_EQ(loop.Run(), 0);

    ASSERT_EQ(simulated.frameStarts.size(), 12u);
    EXPECT_GE(simulated.frameStarts[4] - simulated.frameStarts[3], 500u) << "no frame ran while paused";
    EXPECT_EQ(simulated.frameStarts[5] - simulated.frameStarts[4], 22u);
    EXPECT_EQ(upDown, (std::vector<bool>{false, false, true, true, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(shiftDown, std::vector<bool>(12, false)) << "a key pressed during the pause is no press";
    EXPECT_EQ(host.holds, (std::vector<bool>{true, false}));
}
