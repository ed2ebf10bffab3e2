#pragma once
// The per-frame trace the real program writes (--trace), read back: the state of the game
// after each frame and the stretches of scenes it went through.
#include "RunGame.h"

#include <cstdint>
#include <string>
#include <vector>

// What the tests read of a trace line.
struct TraceLine {
    uint64_t frame = 0;
    int state = 0;          // the scene the frame ran in
    unsigned stage = 0;     // stage record
    float time = 0, life = 0, mana = 0;
    unsigned objects = 0;   // in the stage's list
};

// A stretch of consecutive frames in one scene.
struct SceneRun {
    int state = 0;
    uint64_t first = 0;   // frame numbers, both included
    uint64_t last = 0;
};

std::string ReplayPath(const std::string& name);          // a replay under tests/replays
uint64_t RecordedFrames(const std::string& replayPath);   // its "# frames N" comment; 0 if none

// A replay played headless without drawing, its trace on standard output.
GameOutput ReplayHeadless(const std::string& replayPath);

std::vector<TraceLine> ParseTrace(const std::string& text);
std::vector<SceneRun> SceneRuns(const std::vector<TraceLine>& trace);
std::vector<int> SceneSequence(const std::vector<SceneRun>& runs);
