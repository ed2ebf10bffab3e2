// Broken data files beside the program: the sprite sheet may be lost (the game plays on with
// plain sprites), but a broken sound or music file must end the run with a message that says
// so and a failing exit code, never with a crash.
#include "Sandbox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

const std::string QuickRun = "--headless --no-render --timedemo --seed 11 --trace - ";

// Space on the title starts the music, which opens run.mid.
const std::string StartMusicReplay = "velmoor-replay 1\nseed 5\n10 down space\n11 up space\n";

struct Spoiling {
    const char* name;
    std::function<void(const Sandbox&, const std::string&)> spoil;
};

const std::vector<Spoiling>& Spoilings()
{
    static const std::vector<Spoiling> spoilings = {
        {"missing", [](const Sandbox& box, const std::string& file) { box.Remove(file); }},
        {"empty", [](const Sandbox& box, const std::string& file) { box.Empty(file); }},
        {"truncated", [](const Sandbox& box, const std::string& file) { box.Truncate(file, box.Read(file).size() / 2); }},
        {"header cut", [](const Sandbox& box, const std::string& file) { box.Truncate(file, 20); }},
        {"corrupt", [](const Sandbox& box, const std::string& file) { box.Overwrite(file, 0, "JUNKJUNKJUNKJUNK"); }},
    };
    return spoilings;
}

int CountLinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::istringstream stream(text);
    int count = 0;
    for (std::string line; std::getline(stream, line);) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

}  // namespace

TEST(BadDataFiles, SpriteSheetThatCannotBeReadLeavesTheGameRunning)
{
    std::vector<Spoiling> cases = Spoilings();
    // A header that promises a picture far larger than the file.
    cases.push_back({"huge size", [](const Sandbox& box, const std::string& file) {
                         box.Overwrite(file, 12, std::string("\xff\xff\x00\x00\xff\xff\x00\x00", 8));
                     }});
    for (const Spoiling& spoiling : cases) {
        SCOPED_TRACE(spoiling.name);
        const Sandbox box("sheet");
        ASSERT_TRUE(box.Ready());
        spoiling.spoil(box, "parts.dds");
        // Drawn for real (offscreen), so the missing picture goes all the way to the renderer.
        const Sandbox::Run run = box.Start("--headless --timedemo --seed 11 --frames 40 --trace -");
        EXPECT_FALSE(run.Crashed()) << run.err;
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(CountLinesStartingWith(run.out, "frame "), 40) << run.err;
        EXPECT_EQ(CountLinesStartingWith(run.out, "frame 39 state 5 "), 1) << "the title is up";
    }
}

TEST(BadDataFiles, BrokenSoundEffectEndsTheRunWithTheFatalError)
{
    for (const std::string wave : {"get.wav", "bomb.wav"}) {
        for (const Spoiling& spoiling : Spoilings()) {
            SCOPED_TRACE(wave + " " + spoiling.name);
            const Sandbox box("wave");
            ASSERT_TRUE(box.Ready());
            spoiling.spoil(box, wave);
            const Sandbox::Run run = box.Start(QuickRun + "--frames 100");
            EXPECT_FALSE(run.Crashed()) << run.err;
            EXPECT_NE(run.exitCode, 0);
            EXPECT_NE(run.err.find("velmoor: プログラムエラー"), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(wave), std::string::npos) << "the message names the file: " << run.err;
            // The fatal error ends the loop right after the frame that raised it.
            EXPECT_LE(CountLinesStartingWith(run.out, "frame "), 2);
        }
    }
}

TEST(BadDataFiles, MissingSoundIsAlsoWrittenToTheReport)
{
    const Sandbox box("wave-report");
    ASSERT_TRUE(box.Ready());
    box.Remove("kemu.wav");
    const Sandbox::Run run = box.Start(QuickRun + "--frames 10");
    EXPECT_FALSE(run.Crashed()) << run.err;
    std::ifstream report(box.File("ER_REPORT.TXT"));
    std::stringstream text;
    text << report.rdbuf();
    EXPECT_EQ(text.str(), "ファイルオープンに失敗しました");
}

TEST(BadDataFiles, BrokenMusicEndsTheRunWhenTheTitleStartsIt)
{
    for (const Spoiling& spoiling : Spoilings()) {
        SCOPED_TRACE(spoiling.name);
        const Sandbox box("music");
        ASSERT_TRUE(box.Ready());
        box.Write("start.replay", StartMusicReplay);
        spoiling.spoil(box, "run.mid");
        const Sandbox::Run run = box.Start(QuickRun + "--frames 60 --replay start.replay");
        EXPECT_FALSE(run.Crashed()) << run.err;
        // Even a song cut after a whole header is refused: its tracks are checked before it plays.
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find("音楽ファイル"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("run.mid"), std::string::npos) << "the message names the file: " << run.err;
        // Nothing goes wrong before the music starts on frame 11.
        EXPECT_EQ(CountLinesStartingWith(run.out, "frame 10 state 5 "), 1) << run.out;
        EXPECT_EQ(CountLinesStartingWith(run.out, "frame 13 "), 0) << run.out;
    }
}
