// The game's own dialogs in a real window: on a virtual X server, answered with xdotool key
// presses as a player would, each step waiting for the window it expects.
#include "TestFiles.h"
#include "VirtualDisplay.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string missing = VirtualDisplay::MissingTools(); !missing.empty()) GTEST_SKIP() << missing;
        ASSERT_TRUE(display.Ready()) << "Xvfb did not start";
        // A Japanese player on a machine with no Japanese locale generated.
        onDisplay.environment = {display.Variable(), "LANG=C.UTF-8", "LANGUAGE=ja", "LC_ALL", "LC_MESSAGES"};
    }

    void Start(const std::string& arguments) { game = std::make_unique<GameProcess>(arguments, onDisplay); }

    // Escape held in the game ends it; how it ended.
    GameOutput HoldEscapeUntilTheGameEnds()
    {
        display.Xdotool("search --name '^Velmoor$' windowfocus keydown Escape");
        const GameOutput ended = game->Wait();
        display.Xdotool("keyup Escape");
        return ended;
    }

    std::string Config() const { return ReadText(TestHome() / "config" / "velmoor" / "velmoor.conf"); }

    VirtualDisplay display;
    GameSetup onDisplay;
    std::unique_ptr<GameProcess> game;
};

// Whether the process has a font file mapped that fontconfig lists as covering Japanese.
bool HasJapaneseFontOpen(pid_t pid)
{
    GameSetup fontList;
    fontList.program = "fc-list";
    const std::string japanese = RunGame(":lang=ja file", fontList).out;
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);) {
        const size_t path = line.find('/');
        if (path == std::string::npos) continue;
        const std::string file = line.substr(path);
        const bool font = file.ends_with(".ttf") || file.ends_with(".otf") || file.ends_with(".ttc");
        if (font && japanese.find(file + ":") != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST_F(DialogTest, ModeDialogIsWrittenInJapaneseAndReturnPlaysInAWindow)
{
    Start("--no-sound");
    ASSERT_TRUE(display.FocusedWindowIs("プレイ画面の選択")) << "no mode dialog";
    EXPECT_TRUE(HasJapaneseFontOpen(game->Pid())) << "the dialog draws without a Japanese font";
    display.Xdotool("key Return");
    ASSERT_TRUE(display.WindowAppears("Velmoor")) << "Return did not start the game";
    const std::string geometry = display.Xdotool("search --name '^Velmoor$' getwindowgeometry");
    EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;
    EXPECT_EQ(HoldEscapeUntilTheGameEnds().exitCode, 0);
    EXPECT_FALSE(fs::exists(TestHome() / "config" / "velmoor")) << "keeping the default answer changes no setting";
}

TEST_F(DialogTest, ModeDialogIsEnglishForOthersAndWhereNoCatalogueIsFound)
{
    GameSetup english = onDisplay;
    english.environment.push_back("LANGUAGE=en");
    game = std::make_unique<GameProcess>("--no-sound --no-render", english);
    ASSERT_TRUE(display.FocusedWindowIs("Velmoor: choose the screen")) << "no English mode dialog";
    display.Xdotool("key Return");
    ASSERT_TRUE(display.WindowAppears("Velmoor"));
    EXPECT_EQ(HoldEscapeUntilTheGameEnds().exitCode, 0);

    // Asked for Japanese, but the copied program finds no catalogue beside it (nor installed).
    GameSetup noCatalogue = onDisplay;
    noCatalogue.folder = GameFolder("no-catalogue");
    noCatalogue.program = noCatalogue.folder / "velmoor";
    game = std::make_unique<GameProcess>("--no-sound --no-render", noCatalogue);
    ASSERT_TRUE(display.FocusedWindowIs("Velmoor: choose the screen")) << "no English mode dialog";
    display.Xdotool("key Return");
    ASSERT_TRUE(display.WindowAppears("Velmoor"));
    const GameOutput ended = HoldEscapeUntilTheGameEnds();
    EXPECT_EQ(ended.exitCode, 0);
    EXPECT_TRUE(LinesStartingWith(ended.err, "velmoor").empty()) << "a missing catalogue is no news to the player:\n"
                                                                << ended.err;
}

// (Without a window manager no window is really full screen: the remembered answer tells.)
TEST_F(DialogTest, EscapeLeavesTheDialogUpAndTheAnswerIsOfferedNextTime)
{
    for (int start = 0; start < 2; ++start) {
        Start("--no-sound");
        ASSERT_TRUE(display.FocusedWindowIs("プレイ画面の選択"));
        // No cancel: Escape changes nothing. The first time Down picks FullScreen, which is
        // remembered; the second time it is chosen already, and Return keeps it.
        display.Xdotool(start == 0 ? "key Escape Down Return" : "key Escape Return");
        ASSERT_TRUE(display.WindowAppears("Velmoor"));
        EXPECT_EQ(HoldEscapeUntilTheGameEnds().exitCode, 0);
        EXPECT_NE(Config().find("last-mode = fullscreen"), std::string::npos) << "start " << start << Config();
    }
}

TEST_F(DialogTest, BrokenSoundFileIsToldInTheGamesOwnWindow)
{
    const fs::path folder = GameFolder("dialog-wave");
    WriteText(folder / "get.wav", "JUNKJUNKJUNKJUNK");
    GameSetup inFolder = onDisplay;
    inFolder.program = folder / "velmoor";
    inFolder.folder = folder;
    game = std::make_unique<GameProcess>("--windowed --no-sound --no-render", inFolder);
    // The copied program has no catalogue beside it: English, as for any player.
    ASSERT_TRUE(display.FocusedWindowIs("Velmoor has to stop")) << "no error dialog";
    display.Xdotool("key Return");
    const GameOutput ended = game->Wait();
    EXPECT_EQ(ended.exitCode, 1);
    EXPECT_NE(ended.err.find("get.wav"), std::string::npos) << "stderr still names the file: " << ended.err;
}

TEST_F(DialogTest, BoundKeysReachTheGameAndItsRecordingAsTheGamesOwnKeys)
{
    fs::create_directories(TestHome() / "config" / "velmoor");
    WriteText(TestHome() / "config" / "velmoor" / "velmoor.conf", "key.jump = j\nkey.cast = space\n");
    Start("--windowed --no-sound --no-render --record keys.replay");
    ASSERT_TRUE(display.WindowAppears("Velmoor"));
    display.Xdotool("search --name '^Velmoor$' windowfocus keydown j keyup j keydown space keyup space");
    EXPECT_EQ(HoldEscapeUntilTheGameEnds().exitCode, 0);
    const std::string replay = ReadText(TestHome() / "keys.replay");
    const size_t jump = replay.find("down space"), cast = replay.find("down z");
    EXPECT_TRUE(jump != std::string::npos && cast != std::string::npos && jump < cast) << replay;
}
