// The player's settings and records files around whole runs of the program.
#include "GameRun.h"
#include "Sandbox.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// XDG folders of the test's own inside the sandbox.
std::string PlayerFolders(const Sandbox& box)
{
    return "XDG_CONFIG_HOME=" + box.File("config").string() + " XDG_DATA_HOME=" + box.File("data").string();
}

}  // namespace

TEST(PlayerFilesRun, ALostGameIsListedByRecords)
{
    const Sandbox box("records-run");
    ASSERT_TRUE(box.Ready());
    const std::string replay = ReplayPath("lose-by-life.replay");
    const Sandbox::Run game = box.Start("--headless --no-render --timedemo --replay " + replay + " --frames " +
                                            std::to_string(RecordedFrames(replay)), PlayerFolders(box));
    ASSERT_EQ(game.exitCode, 0) << game.err;
    const Sandbox::Run records = box.Start("--records", PlayerFolders(box));
    EXPECT_EQ(records.exitCode, 0);
    EXPECT_NE(records.out.find("  1      2  BeginnerMage"), std::string::npos) << records.out;
}

TEST(PlayerFilesRun, DamagedFilesAreNamedAndTheGameRunsOn)
{
    const Sandbox box("damaged-files");
    ASSERT_TRUE(box.Ready());
    fs::create_directories(box.File("config/velmoor"));
    fs::create_directories(box.File("data/velmoor"));
    box.Write("config/velmoor/velmoor.conf", "texture = linear\n%%garbage%%\n");
    box.Write("data/velmoor/records", "\x01\x02 not records at all");
    const Sandbox::Run run = box.Start("--headless --no-render --timedemo --frames 30", PlayerFolders(box));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> lines = run.ErrLines();   // the game's own, not a sanitizer's
    std::erase_if(lines, [](const std::string& line) { return line.rfind("velmoor: ", 0) != 0; });
    ASSERT_EQ(lines.size(), 2u) << run.err;
    EXPECT_NE(lines[0].find("velmoor.conf:2:"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("records.damaged"), std::string::npos) << lines[1];
    EXPECT_EQ(std::string(box.Read("data/velmoor/records.damaged").data(), 19), "\x01\x02 not records at a");
    EXPECT_FALSE(fs::exists(box.File("data/velmoor/records"))) << "a new file starts with the next record";
    const std::vector<char> config = box.Read("config/velmoor/velmoor.conf");
    EXPECT_EQ(std::string(config.begin(), config.end()), "texture = linear\n%%garbage%%\n") << "left as it was";
}
