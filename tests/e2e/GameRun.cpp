#include "GameRun.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string TemporaryPath(const char* what)
{
    return (std::filesystem::temp_directory_path() /
            ("velmoor-e2e-" + std::to_string(getpid()) + "-" + what)).string();
}

}  // namespace

std::string ReplayPath(const std::string& name)
{
    return std::string(VELMOOR_TEST_SOURCE_DIR) + "/replays/" + name;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

uint64_t RecordedFrames(const std::string& replayPath)
{
    std::istringstream lines(ReadFile(replayPath));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("# frames ", 0) == 0) return std::stoull(line.substr(9));
    }
    return 0;
}

std::vector<uint64_t> SpacePresses(const std::string& replayPath)
{
    std::vector<uint64_t> frames;
    std::istringstream lines(ReadFile(replayPath));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        uint64_t frame = 0;
        std::string direction, key;
        if (words >> frame >> direction >> key && direction == "down" && key == "space") frames.push_back(frame);
    }
    return frames;
}

RunResult RunVelmoor(const std::string& arguments)
{
    const std::string errorsPath = TemporaryPath("stderr");
    const std::string command = std::string(VELMOOR_EXECUTABLE) + " " + arguments + " 2>" + errorsPath;
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 65536> buffer;
    size_t count;
    while ((count = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.errors = ReadFile(errorsPath);
    std::filesystem::remove(errorsPath);
    return result;
}

RunResult ReplayHeadless(const std::string& replayPath, uint64_t frames)
{
    return RunVelmoor("--headless --no-render --timedemo --no-sound --replay " + replayPath +
                      " --trace - --frames " + std::to_string(frames));
}

std::vector<TraceLine> ParseTrace(const std::string& text)
{
    std::vector<TraceLine> trace;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        TraceLine t;
        unsigned long long frame = 0;
        const int read = std::sscanf(line.c_str(),
            "frame %llu state %d stage %u player %f %f %f facing %f time %f life %f mana %f objects %u effects %u item %d",
            &frame, &t.state, &t.stage, &t.x, &t.y, &t.z, &t.facing, &t.time, &t.life, &t.mana,
            &t.objects, &t.effects, &t.item);
        if (read != 13) continue;   // the timedemo line, for one
        t.frame = frame;
        trace.push_back(t);
    }
    return trace;
}

std::vector<SceneRun> SceneRuns(const std::vector<TraceLine>& trace)
{
    std::vector<SceneRun> runs;
    for (const TraceLine& line : trace) {
        if (runs.empty() || runs.back().state != line.state) runs.push_back({line.state, line.frame, line.frame});
        runs.back().last = line.frame;
    }
    return runs;
}

std::vector<int> SceneSequence(const std::vector<SceneRun>& runs)
{
    std::vector<int> states;
    for (const SceneRun& run : runs) states.push_back(run.state);
    return states;
}
