// The player's settings and records files around whole runs of the program (each run keeps
// them in the test's own folders, see RunGame).
#include "GameTrace.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(PlayerFilesRun, ALostGameIsListedByRecords)
{
    const std::string replay = ReplayPath("lose-by-life.replay");
    const GameOutput game = RunGame("--headless --no-render --timedemo --replay " + replay + " --frames " +
                                    std::to_string(RecordedFrames(replay)));
    ASSERT_EQ(game.exitCode, 0) << game.err;
    const GameOutput records = RunGame("--records");
    EXPECT_EQ(records.exitCode, 0);
    EXPECT_NE(records.out.find("  1      2  BeginnerMage"), std::string::npos) << records.out;
}

TEST(PlayerFilesRun, DamagedFilesAreNamedAndTheGameRunsOn)
{
    const fs::path config = TestHome() / "config" / "velmoor", data = TestHome() / "data" / "velmoor";
    fs::create_directories(config);
    fs::create_directories(data);
    WriteText(config / "velmoor.conf", "texture = linear\n%%garbage%%\n");
    WriteText(data / "records", "\x01\x02 not records at all");
    const GameOutput run = RunGame("--headless --no-render --timedemo --frames 30");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = LinesStartingWith(run.err, "velmoor: ");   // not a sanitizer's
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_NE(lines[0].find("velmoor.conf:2:"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("records.damaged"), std::string::npos) << lines[1];
    EXPECT_EQ(ReadText(data / "records.damaged"), "\x01\x02 not records at all");
    EXPECT_FALSE(fs::exists(data / "records")) << "a new file starts with the next record";
    EXPECT_EQ(ReadText(config / "velmoor.conf"), "texture = linear\n%%garbage%%\n") << "left as it was";
}

TEST(PlayerFilesRun, FilesBehindALinkLoopAreNamedOnceAndTheGamePlaysWithoutThem)
{
    const fs::path config = TestHome() / "config" / "velmoor", data = TestHome() / "data" / "velmoor";
    fs::create_directories(config);
    fs::create_directories(data);
    fs::create_symlink("velmoor.conf", config / "velmoor.conf");
    fs::create_symlink("records", data / "records");
    const std::string replay = ReplayPath("lose-by-life.replay");
    const GameOutput game = RunGame("--headless --no-render --timedemo --replay " + replay + " --frames " +
                                    std::to_string(RecordedFrames(replay)));
    EXPECT_FALSE(game.Crashed()) << game.err;
    EXPECT_EQ(game.exitCode, 0) << game.err;
    const std::vector<std::string> lines = LinesStartingWith(game.err, "velmoor: ");
    ASSERT_EQ(lines.size(), 2u) << game.err;
    EXPECT_NE(lines[0].find("velmoor.conf (Too many levels of symbolic links)"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("records (Too many levels of symbolic links)"), std::string::npos) << lines[1];
    const GameOutput records = RunGame("--records");
    EXPECT_EQ(records.exitCode, 0) << records.err;
    EXPECT_TRUE(fs::is_symlink(data / "records")) << "left as it was";
}
