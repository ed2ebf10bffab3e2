// What the real program prints for scripts and tools: the ruin print, the timedemo line, the
// recorded replay, help and version.
#include "RunGame.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

TEST(Executable, PrintRuinShowsEveryLayerRowByRowAndTheDrawsTaken)
{
    const GameOutput ruin = RunGame("--print-ruin 5");
    ASSERT_EQ(ruin.exitCode, 0) << ruin.err;
    const std::vector<std::string> lines = LinesStartingWith(ruin.out, "");
    ASSERT_EQ(lines.size(), 8u * 21u + 1u);
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (i % 21 == 0) EXPECT_EQ(lines[i], "layer " + std::to_string(i / 21));
        else EXPECT_TRUE(lines[i].size() == 20 && lines[i].find_first_not_of(".#@") == std::string::npos) << lines[i];
    }
    unsigned draws = 0;
    EXPECT_EQ(std::sscanf(lines.back().c_str(), "draws %u", &draws), 1) << lines.back();
    EXPECT_GT(draws, 0u) << "the generation's draws are counted";
    EXPECT_NE(RunGame("--print-ruin 6").out, ruin.out) << "the seed reaches the generator";
    EXPECT_NE(RunGame("--print-ruin 5 --title").out, ruin.out) << "the title's layout clears its square";
}

TEST(Executable, TimedemoPrintsItsStatisticsAndRecordingWritesTheSeedAndKeys)
{
    const std::string replay = "velmoor-replay 1\nseed 42\n2 down left\n4 up left\n6 down escape\n";
    WriteText(TestHome() / "in.replay", replay);
    const GameOutput run = RunGame("--headless --no-render --timedemo --replay in.replay --record out.replay");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> stats = LinesStartingWith(run.out, "timedemo ");
    ASSERT_EQ(stats.size(), 1u) << run.out;
    unsigned frames = 0;
    double seconds, fps, mean, median, p99, most, drawsMean;
    int drawsMost = -1;
    EXPECT_EQ(std::sscanf(stats[0].c_str(), "timedemo frames=%u seconds=%lf fps=%lf mean_ms=%lf median_ms=%lf p99_ms=%lf "
                                            "max_ms=%lf draws_mean=%lf draws_max=%d", &frames, &seconds, &fps, &mean,
                          &median, &p99, &most, &drawsMean, &drawsMost), 9) << stats[0];
    EXPECT_EQ(frames, 7u) << "frames 0 to 6, Escape's the last";
    EXPECT_EQ(ReadText(TestHome() / "out.replay"), replay);
}

TEST(Executable, HelpAndVersionExitCleanly)
{
    const GameOutput help = RunGame("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--print-ruin"), std::string::npos) << help.out;
    const GameOutput version = RunGame("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("velmoor ", 0), 0u) << version.out;
}
