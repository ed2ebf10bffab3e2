#pragma once
// Runs the real velmoor program and reads back what it printed: the per-frame trace and the
// scenes it went through.
#include <cstdint>
#include <string>
#include <vector>

struct RunResult {
    int exitCode = -1;
    std::string output;   // standard output (the trace with --trace -)
    std::string errors;   // standard error
};

// One trace line: the state of the game after one frame.
struct TraceLine {
    uint64_t frame = 0;
    int state = 0;        // the scene the frame ran in
    unsigned stage = 0;   // stage record
    float x = 0, y = 0, z = 0, facing = 0;
    float time = 0, life = 0, mana = 0;
    unsigned objects = 0;
    unsigned effects = 0;
    int item = 0;
};

// A stretch of consecutive frames in one scene.
struct SceneRun {
    int state = 0;
    uint64_t first = 0;   // frame numbers, both included
    uint64_t last = 0;
};

std::string ReplayPath(const std::string& name);   // a replay under tests/replays
uint64_t RecordedFrames(const std::string& replayPath);   // its "# frames N" comment; 0 if none
std::vector<uint64_t> SpacePresses(const std::string& replayPath);   // frames of "down space"

RunResult RunVelmoor(const std::string& arguments);
// A replay played headless without drawing, its trace on standard output.
RunResult ReplayHeadless(const std::string& replayPath, uint64_t frames);

std::vector<TraceLine> ParseTrace(const std::string& text);
std::vector<SceneRun> SceneRuns(const std::vector<TraceLine>& trace);
std::vector<int> SceneSequence(const std::vector<SceneRun>& runs);
std::string ReadFile(const std::string& path);
