// A game played through a real window (on a virtual X server, keys sent by xdotool) and
// recorded; the recording played back headless must give the same game, frame for frame.
// The test follows the game through its live trace and holds every key across several frames:
// a key pressed and let go between two frames is lost by design.
#include "GameTrace.h"
#include "TestFiles.h"
#include "VirtualDisplay.h"

#include "game/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto KeyHold = 300ms;  // many frames of 22 ms, even on a busy machine

// The frames the game has traced so far that ran in `state`.
size_t FramesIn(const fs::path& trace, int state)
{
    const std::vector<TraceLine> lines = ParseTrace(ReadText(trace));
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const TraceLine& l) { return l.state == state; }));
}

}  // namespace

TEST(WindowRecording, AGamePlayedInAWindowReplaysIdenticallyHeadless)
{
    if (const std::string missing = VirtualDisplay::MissingTools(); !missing.empty()) GTEST_SKIP() << missing;
    const VirtualDisplay display;
    ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
    GameSetup onDisplay;
    onDisplay.environment = {display.Variable()};

    const fs::path trace = TestHome() / "window.trace";
    // The frame budget only ends a run whose Escape got lost.
    GameProcess game("--windowed --no-sound --record window.replay --trace window.trace --frames 20000", onDisplay);
    const auto holdUntil = [&](const char* key, const std::function<bool()>& done) {
        display.Xdotool(std::string("keydown ") + key);
        std::this_thread::sleep_for(KeyHold);
        const bool happened = WaitUntil(done);
        display.Xdotool(std::string("keyup ") + key);
        return happened;
    };
    const auto hold = [&](const char* key) { holdUntil(key, [] { return true; }); };

    // The title's menu takes keys from its third frame on: ten frames of title leave room to spare.
    ASSERT_TRUE(WaitUntil([&] { return FramesIn(trace, StateTitle) >= 10; })) << "the title never came up";
    ASSERT_TRUE(display.WindowAppears("Velmoor")) << "the game window did not appear";
    display.Xdotool("search --name '^Velmoor$' windowfocus --sync");
    ASSERT_TRUE(holdUntil("space", [&] { return FramesIn(trace, StateStageStart) > 0; })) << "Space did not start the game";
    ASSERT_TRUE(WaitUntil([&] { return FramesIn(trace, StatePlay) > 0; })) << "the game never reached play";
    for (const char* key : {"Up", "Right", "z", "space", "Left"}) hold(key);   // walk, turn, cast, jump
    ASSERT_TRUE(holdUntil("Escape", [&] { return !game.Running(); })) << "Escape did not end the game";
    const GameOutput played = game.Wait();
    ASSERT_EQ(played.exitCode, 0) << played.err;

    const std::string recorded = ReadText(TestHome() / "window.replay");
    for (const char* event : {"down space", "down up", "down escape"}) {
        EXPECT_NE(recorded.find(event), std::string::npos) << "missing '" << event << "':\n" << recorded;
    }
    const GameOutput again = RunGame("--headless --no-render --no-sound --replay window.replay --trace -");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(ReadText(trace) == again.out) << "the replay played a different game";
}
