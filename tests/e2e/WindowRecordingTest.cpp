// Games played through a real window (on a virtual X server, keys sent by xdotool). A recorded
// game played back headless must give the same game, frame for frame, pauses or not; the menus
// change what the player's settings file keeps. The tests follow the game through its live
// trace and hold every game key across several frames: a key pressed and let go between two
// frames is lost by design. Menu keys act as they arrive, so they are tapped.
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
// Long enough for a running game to trace a dozen frames more, even on a busy machine.
constexpr auto StillPeriod = 600ms;

// The frames the game has traced so far that ran in `state` (any state: -1).
size_t FramesIn(const fs::path& trace, int state = -1)
{
    const std::vector<TraceLine> lines = ParseTrace(ReadText(trace));
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const TraceLine& l) { return state < 0 || l.state == state; }));
}

class WindowGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string missing = VirtualDisplay::MissingTools(); !missing.empty()) GTEST_SKIP() << missing;
        display = std::make_unique<VirtualDisplay>();
        ASSERT_TRUE(display->Ready()) << "Xvfb did not start";
        onDisplay.environment = {display->Variable()};
    }

    // Starts a game in a window with a live trace and waits for the title, with the focus on it.
    std::unique_ptr<GameProcess> Start(const std::string& arguments, const std::string& traceName)
    {
        trace = TestHome() / traceName;
        fs::remove(trace);
        // The frame budget only ends a run whose Escape got lost.
        auto game = std::make_unique<GameProcess>("--windowed --no-sound --frames 20000 --trace " + traceName + " " + arguments, onDisplay);
        // The title's menu takes keys from its third frame on: ten frames leave room to spare.
        EXPECT_TRUE(WaitUntil([&] { return FramesIn(trace, StateTitle) >= 10; })) << "the title never came up";
        EXPECT_TRUE(display->WindowAppears("Velmoor")) << "the game window did not appear";
        FocusTheGame();
        return game;
    }

    void FocusTheGame() const { display->Xdotool("search --name '^Velmoor$' windowfocus --sync"); }
    // The desktop behind every window takes the keyboard.
    void FocusTheDesktop() const { display->Xdotool("search --maxdepth 0 --name '' windowfocus"); }

    bool HoldUntil(const std::string& key, const std::function<bool()>& done) const
    {
        display->Xdotool("keydown " + key);
        std::this_thread::sleep_for(KeyHold);
        const bool happened = WaitUntil(done);
        display->Xdotool("keyup " + key);
        return happened;
    }
    void Hold(const std::string& key) const { HoldUntil(key, [] { return true; }); }
    void Tap(const std::string& keys) const { display->Xdotool("key --delay 60 " + keys); }

    // True when the trace has not grown for a while: the game runs no frame.
    bool Stands() const
    {
        const size_t before = FramesIn(trace);
        std::this_thread::sleep_for(StillPeriod);
        return FramesIn(trace) == before;
    }

    bool StartAndPlay(const char* startKey = "space") const
    {
        return HoldUntil(startKey, [&] { return FramesIn(trace, StateStageStart) > 0; }) &&
               WaitUntil([&] { return FramesIn(trace, StatePlay) > 0; });
    }

    std::unique_ptr<VirtualDisplay> display;
    GameSetup onDisplay;
    fs::path trace;
};

}  // namespace

TEST_F(WindowGame, APausedGameRunsNoFrameAndItsRecordingReplaysIdenticallyHeadless)
{
    auto game = Start("--record window.replay", "window.trace");
    ASSERT_TRUE(StartAndPlay()) << "Space did not start the game";
    for (const char* key : {"Up", "Right", "z"}) Hold(key);   // walk, turn, cast

    FocusTheDesktop();   // the focus moves a little later: wait for the game to stand
    EXPECT_TRUE(WaitUntil([&] { return Stands(); })) << "the game played on without the focus";
    FocusTheGame();
    EXPECT_TRUE(Stands()) << "the focus coming back resumed the game by itself";
    Tap("p");
    ASSERT_TRUE(WaitUntil([&] { return !Stands(); })) << "P did not resume the game";

    Hold("space");   // jump
    Hold("Left");
    Tap("Escape");
    EXPECT_TRUE(WaitUntil([&] { return Stands(); })) << "Escape in play did not open the menu";
    EXPECT_TRUE(game->Running()) << "Escape in play ended the game at once";
    Tap("Escape");
    ASSERT_TRUE(WaitUntil([&] { return !game->Running(); })) << "Escape in the menu did not end the game";
    const GameOutput played = game->Wait();
    ASSERT_EQ(played.exitCode, 0) << played.err;

    const std::string recorded = ReadText(TestHome() / "window.replay");
    for (const char* event : {"down space", "down up", "down escape"}) {
        EXPECT_NE(recorded.find(event), std::string::npos) << "missing '" << event << "':\n" << recorded;
    }
    EXPECT_EQ(recorded.find("down 80"), std::string::npos) << "the pause key reached the game:\n" << recorded;
    const GameOutput again = RunGame("--headless --no-render --no-sound --replay window.replay --trace -");
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_TRUE(ReadText(trace) == again.out) << "the replay played a different game";
}

TEST_F(WindowGame, TheClassicGameEndsAtTheFirstEscapeAndPlaysOnWithoutTheFocus)
{
    auto game = Start("--classic", "classic.trace");
    ASSERT_TRUE(StartAndPlay()) << "Space did not start the game";
    FocusTheDesktop();
    EXPECT_FALSE(Stands()) << "the classic game paused when it lost the focus";
    FocusTheGame();
    ASSERT_TRUE(HoldUntil("Escape", [&] { return !game->Running(); })) << "Escape did not end the game";
    EXPECT_EQ(game->Wait().exitCode, 0);
}

TEST_F(WindowGame, OptionsChangedInTheMenuAreKeptAndAReboundKeyMovesItsAction)
{
    const fs::path settings = TestHome() / "config" / "velmoor" / "velmoor.conf";
    {
        auto game = Start("", "options.trace");
        Tap("Tab");                               // the options, from the title
        EXPECT_TRUE(WaitUntil([&] { return Stands(); })) << "the title went on under its options";
        Tap("Down Down Down Left");               // music volume 100 -> 90
        Tap("Down Down Return");                  // the keys
        Tap("Down Down Down Down Return");        // jump: waits for its key
        Tap("p");                                 // refused: it pauses
        Tap("j");
        Tap("Escape Escape");                     // back to the options, back to the title
        ASSERT_TRUE(WaitUntil([&] { return !Stands(); })) << "the title did not go on after its options";
        const std::string text = ReadText(settings);
        EXPECT_NE(text.find("music-volume = 90"), std::string::npos) << text;
        EXPECT_NE(text.find("key.jump = j"), std::string::npos) << text;
        Tap("Escape");
        EXPECT_EQ(game->Wait().exitCode, 0);
    }
    auto again = Start("", "options-again.trace");
    EXPECT_TRUE(StartAndPlay("j")) << "the rebound key did not start the game at the next start";
    Tap("Escape Escape");
    EXPECT_EQ(again->Wait().exitCode, 0);
}
