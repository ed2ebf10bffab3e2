// Runs the real velmoor program headless and reads what it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output;   // stdout and stderr together
};

RunResult RunVelmoor(const std::string& arguments)
{
    const std::string command = std::string(VELMOOR_EXECUTABLE) + " " + arguments + " 2>&1";
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    }
    return lines;
}

std::string WriteTempFile(const std::string& name, const std::string& contents)
{
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream(path) << contents;
    return path.string();
}

}  // namespace

TEST(Executable, TimedemoTracesEveryFrameFromStartupIntoTheTitle)
{
    const RunResult run = RunVelmoor("--headless --no-render --timedemo --frames 100 --seed 7 --trace -");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const auto trace = LinesStartingWith(run.output, "frame ");
    ASSERT_EQ(trace.size(), 100u);
    EXPECT_EQ(trace[0].rfind("frame 0 state 0 ", 0), 0u) << trace[0];
    EXPECT_EQ(trace[1].rfind("frame 1 state 5 ", 0), 0u) << trace[1];
    EXPECT_EQ(trace[99].rfind("frame 99 ", 0), 0u);
    const auto stats = LinesStartingWith(run.output, "timedemo frames=100 ");
    EXPECT_EQ(stats.size(), 1u) << run.output;
}

TEST(Executable, ReplayedEscapeEndsTheRunAfterItsFrame)
{
    const std::string replay = WriteTempFile("velmoor-escape.replay",
                                             "velmoor-replay 1\nseed 3\n10 down escape\n");
    const RunResult run = RunVelmoor("--headless --no-render --timedemo --trace - --replay " + replay);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    const auto trace = LinesStartingWith(run.output, "frame ");
    ASSERT_EQ(trace.size(), 11u);
    EXPECT_EQ(trace.back().rfind("frame 10 ", 0), 0u);
}

TEST(Executable, RecordingWritesTheSeedAndTheReplayedKeys)
{
    const std::string replay = WriteTempFile("velmoor-in.replay",
                                             "velmoor-replay 1\nseed 42\n2 down left\n4 up left\n6 down escape\n");
    const auto recorded = std::filesystem::temp_directory_path() / "velmoor-out.replay";
    const RunResult run = RunVelmoor("--headless --no-render --timedemo --replay " + replay +
                                     " --record " + recorded.string());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::ifstream file(recorded);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "velmoor-replay 1\nseed 42\n2 down left\n4 up left\n6 down escape\n");
}

TEST(Executable, BadInputIsRefusedBeforeTheGameStarts)
{
    const std::string replay = WriteTempFile("velmoor-bad.replay", "velmoor-replay 1\nseed 1\n5 jump space\n");
    const RunResult malformed = RunVelmoor("--headless --no-render --replay " + replay);
    EXPECT_NE(malformed.exitCode, 0);
    EXPECT_NE(malformed.output.find("line 3"), std::string::npos) << malformed.output;

    const RunResult unknown = RunVelmoor("--headless --sparkle");
    EXPECT_NE(unknown.exitCode, 0);
    EXPECT_NE(unknown.output.find("--sparkle"), std::string::npos) << unknown.output;

    const RunResult missing = RunVelmoor("--headless --replay /nonexistent/velmoor.replay");
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.output.find("/nonexistent/velmoor.replay"), std::string::npos);
}

TEST(Executable, HelpAndVersionExitCleanly)
{
    const RunResult help = RunVelmoor("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--print-ruin"), std::string::npos);
    const RunResult version = RunVelmoor("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output.rfind("velmoor ", 0), 0u);
}
