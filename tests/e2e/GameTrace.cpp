#include "GameTrace.h"

#include "TestFiles.h"

#include <cstdio>
#include <sstream>

std::string ReplayPath(const std::string& name)
{
    return std::string(VELMOOR_TEST_SOURCE_DIR) + "/replays/" + name;
}

uint64_t RecordedFrames(const std::string& replayPath)
{
    for (const std::string& line : LinesStartingWith(ReadText(replayPath), "# frames ")) {
        return std::stoull(line.substr(9));
    }
    return 0;
}

GameOutput ReplayHeadless(const std::string& replayPath)
{
    return RunGame("--headless --no-render --timedemo --no-sound --replay " + replayPath + " --trace - --frames " +
                   std::to_string(RecordedFrames(replayPath)));
}

std::vector<TraceLine> ParseTrace(const std::string& text)
{
    std::vector<TraceLine> trace;
    for (const std::string& line : LinesStartingWith(text, "frame ")) {
        TraceLine t;
        unsigned long long frame = 0;
        const int read = std::sscanf(line.c_str(),
            "frame %llu state %d stage %u player %*f %*f %*f facing %*f time %f life %f mana %f objects %u effects %*u item %*d",
            &frame, &t.state, &t.stage, &t.time, &t.life, &t.mana, &t.objects);
        if (read != 7) continue;
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
