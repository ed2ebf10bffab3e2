// A game played through a real window (on a virtual X server, keys sent by xdotool) and
// recorded; the recording played back headless must give the same game, frame for frame.
// The test follows the game through its live trace and holds every key across several frames:
// a key pressed and let go between two frames is lost by design.
#include "GameTrace.h"
#include "TestFiles.h"

#include "game/Game.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto Deadline = 60s;   // for anything the game should do within a few seconds
constexpr auto KeyHold = 300ms;  // many frames of 22 ms, even on a busy machine

bool Installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Polls `done` until it holds or the deadline passes.
bool WaitUntil(const std::function<bool()>& done)
{
    for (const auto end = std::chrono::steady_clock::now() + Deadline; std::chrono::steady_clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

// The frames the game has traced so far that ran in `state`.
size_t FramesIn(const fs::path& trace, int state)
{
    const std::vector<TraceLine> lines = ParseTrace(ReadText(trace));
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const TraceLine& l) { return l.state == state; }));
}

}  // namespace

TEST(WindowRecording, AGamePlayedInAWindowReplaysIdenticallyHeadless)
{
    if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps)";
    GameSetup xvfb, onDisplay;
    xvfb.program = "Xvfb";
    const GameProcess server("-displayfd 1 -screen 0 800x600x24 -nolisten tcp", xvfb);   // picks a free display
    std::string number;
    ASSERT_TRUE(WaitUntil([&] { return (number = server.OutputSoFar()).ends_with('\n'); })) << "Xvfb did not start";
    const std::string display = "DISPLAY=:" + number.substr(0, number.size() - 1);
    onDisplay.environment = {display};

    const fs::path trace = TestHome() / "window.trace";
    // The frame budget only ends a run whose Escape got lost.
    GameProcess game("--windowed --no-sound --record window.replay --trace window.trace --frames 20000", onDisplay);
    const auto xdotool = [&](const std::string& command) {
        return std::system(("env " + display + " timeout 20 xdotool " + command + " >/dev/null 2>&1").c_str());
    };
    const auto holdUntil = [&](const char* key, const std::function<bool()>& done) {
        xdotool(std::string("keydown ") + key);
        std::this_thread::sleep_for(KeyHold);
        const bool happened = WaitUntil(done);
        xdotool(std::string("keyup ") + key);
        return happened;
    };
    const auto hold = [&](const char* key) { holdUntil(key, [] { return true; }); };

    // The title's menu takes keys from its third frame on; the trace is written in blocks, so
    // ten frames of title in the file leave room to spare.
    ASSERT_TRUE(WaitUntil([&] { return FramesIn(trace, StateTitle) >= 10; })) << "the title never came up";
    ASSERT_EQ(xdotool("search --sync --name Velmoor windowfocus --sync"), 0) << "the game window did not appear";
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
