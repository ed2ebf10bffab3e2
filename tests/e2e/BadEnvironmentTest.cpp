// A machine without a display, without a sound device or SoundFont, a folder the report file
// cannot be written to, and replay files that are not replays: each is answered plainly.
#include "Sandbox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// A visible game on SDL's offscreen video, so sound and music are on without any display.
const std::string VisibleButOffscreen = "SDL_VIDEODRIVER=offscreen";
const std::string VisibleRun = "--windowed --no-render --timedemo --seed 3 --frames 40 --trace - ";
const std::string StartMusicReplay = "velmoor-replay 1\nseed 5\n10 down space\n11 up space\n";

int CountFrames(const std::string& out)
{
    std::istringstream stream(out);
    int count = 0;
    for (std::string line; std::getline(stream, line);) count += line.rfind("frame ", 0) == 0 ? 1 : 0;
    return count;
}

bool DisplayPresent()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

std::string ReportText(const Sandbox& box)
{
    const std::vector<char> bytes = box.Read("ER_REPORT.TXT");
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(BadEnvironment, NoDisplayIsNamedAndTheRunFails)
{
    if (DisplayPresent()) GTEST_SKIP() << "a display is present";
    const Sandbox box("display");
    ASSERT_TRUE(box.Ready());
    const Sandbox::Run run = box.Start("--frames 5", "-u SDL_VIDEODRIVER -u DISPLAY -u WAYLAND_DISPLAY");
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("no display"), std::string::npos) << run.err;
    EXPECT_EQ(CountFrames(run.out), 0);
}

TEST(BadEnvironment, WithoutASoundDeviceTheGameRunsSilentlyAndReportsIt)
{
    // The dummy driver is a device that plays into nothing: no report at all.
    {
        const Sandbox box("audio-dummy");
        ASSERT_TRUE(box.Ready());
        const Sandbox::Run run = box.Start(VisibleRun, VisibleButOffscreen + " SDL_AUDIODRIVER=dummy");
        EXPECT_FALSE(run.Crashed()) << run.err;
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(CountFrames(run.out), 40);
        EXPECT_FALSE(std::filesystem::exists(box.File("ER_REPORT.TXT")));
    }
    // A driver that does not exist: the failure goes into the report, the game plays on mute.
    const Sandbox box("audio-bogus");
    ASSERT_TRUE(box.Ready());
    const Sandbox::Run run = box.Start(VisibleRun, VisibleButOffscreen + " SDL_AUDIODRIVER=no-such-driver");
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountFrames(run.out), 40);
    EXPECT_NE(run.err.find("velmoor: no sound"), std::string::npos) << run.err;
    const std::string report = ReportText(box);
    EXPECT_NE(report.find("Result("), std::string::npos) << report;
    EXPECT_EQ(report.back(), '\n');
}

TEST(BadEnvironment, UnwritableReportFileIsDroppedAndTheGameGoesOn)
{
    const Sandbox box("report");
    ASSERT_TRUE(box.Ready());
    // A folder in the report's place cannot be opened as a file, even by the superuser.
    std::filesystem::create_directory(box.File("ER_REPORT.TXT"));
    const Sandbox::Run run = box.Start(VisibleRun, VisibleButOffscreen + " SDL_AUDIODRIVER=no-such-driver");
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountFrames(run.out), 40);
    EXPECT_TRUE(std::filesystem::is_directory(box.File("ER_REPORT.TXT")));
}

TEST(BadEnvironment, ReadOnlyFolderDropsTheReport)
{
    if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    const Sandbox box("read-only");
    ASSERT_TRUE(box.Ready());
    std::filesystem::permissions(box.Folder(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const Sandbox::Run run = box.Start(VisibleRun, VisibleButOffscreen + " SDL_AUDIODRIVER=no-such-driver");
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountFrames(run.out), 40);
    EXPECT_FALSE(std::filesystem::exists(box.File("ER_REPORT.TXT")));
}

TEST(BadEnvironment, MissingSoundFontTurnsTheMusicOffWithOneLine)
{
    const Sandbox box("soundfont");
    ASSERT_TRUE(box.Ready());
    box.Write("start.replay", StartMusicReplay);
    const Sandbox::Run run = box.Start(VisibleRun + "--replay start.replay --soundfont /nonexistent/velmoor.sf2",
                                       VisibleButOffscreen + " SDL_AUDIODRIVER=dummy");
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(CountFrames(run.out), 40);
    int musicLines = 0;
    for (const std::string& line : run.ErrLines()) musicLines += line.rfind("velmoor: music off", 0) == 0 ? 1 : 0;
    EXPECT_EQ(musicLines, 1) << run.err;
    EXPECT_NE(run.err.find("/nonexistent/velmoor.sf2"), std::string::npos) << run.err;
}

TEST(BadEnvironment, SongWithGarbageTracksNeverCrashesTheSynthesizer)
{
    const Sandbox box("song");
    ASSERT_TRUE(box.Ready());
    box.Write("start.replay", StartMusicReplay);
    box.Overwrite("run.mid", 14, std::string(64, '\xee'));   // the header survives, the tracks do not
    const Sandbox::Run run = box.Start(VisibleRun + "--replay start.replay", VisibleButOffscreen + " SDL_AUDIODRIVER=dummy");
    EXPECT_FALSE(run.Crashed()) << run.err;
    // Either the synthesizer refuses the song (a fatal error naming the file) or it plays what
    // it can; a SoundFont may also be absent here, which turns the music off instead.
    if (run.exitCode != 0) {
        EXPECT_NE(run.err.find("run.mid"), std::string::npos) << run.err;
    } else {
        EXPECT_EQ(CountFrames(run.out), 40);
    }
}

TEST(BadEnvironment, MalformedReplayIsRefusedNamingItsLine)
{
    struct Case {
        const char* text;
        int line;
    };
    const Case cases[] = {
        {"velmoor-replay 2\nseed 1\n", 1},
        {"not a replay\n", 1},
        {"velmoor-replay 1\nseed one\n", 2},
        {"velmoor-replay 1\nseed 1\n# fine\n4 down space\nfive up space\n", 5},
        {"velmoor-replay 1\n3 down nosuchkey\n", 2},
        {"velmoor-replay 1\n3 down 999\n", 2},
        {"velmoor-replay 1\n3 sideways space\n", 2},
        {"velmoor-replay 1\n-3 down space\n", 2},
        {"velmoor-replay 1\n99999999999999999999999 down space\n", 2},
        {"velmoor-replay 1\n3 down space extra\n", 2},
    };
    const Sandbox box("replay");
    ASSERT_TRUE(box.Ready());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        box.Write("bad.replay", c.text);
        const Sandbox::Run run = box.Start("--headless --no-render --frames 5 --trace - --replay bad.replay");
        EXPECT_FALSE(run.Crashed()) << run.err;
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find("line " + std::to_string(c.line)), std::string::npos) << run.err;
        EXPECT_EQ(CountFrames(run.out), 0) << "refused before the game starts";
    }
}
