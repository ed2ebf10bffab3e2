#pragma once
#include "shell/CommandLine.h"
#include "shell/FramePacer.h"
#include "shell/PicturePacer.h"
#include "shell/Replay.h"

#include "platform/Events.h"

#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class Game;

// What the loop needs of the platform: the millisecond clock, the message queue, a wait that
// does not spin, and a fine clock for measurements. Tests give it a simulated one.
struct LoopPlatform {
    std::function<uint32_t()> milliseconds;
    std::function<bool(platform::Message&)> pollMessage;
    std::function<void(uint32_t)> waitForMessage;
    std::function<double()> seconds;
    std::function<void(uint32_t startMilliseconds)> frameStarted;   // optional observer

    static LoopPlatform Real();
};

// Prints the ruin of a seed (--print-ruin) and returns the exit code.
int PrintRuinAndExit(uint32_t seed, bool title);

// The paced main loop: one Game::Frame per pass, every waiting message handled between frames,
// pictures shown between frames (unless each frame shows its own), replays fed in, and the
// run's record, trace, screenshots and timedemo and picture statistics written.
class MainLoop {
public:
    MainLoop(Game& game, const CommandLine& options, uint32_t seed, const Replay* replay,
             LoopPlatform platform = LoopPlatform::Real());
    ~MainLoop();
    MainLoop(const MainLoop&) = delete;
    MainLoop& operator=(const MainLoop&) = delete;

    int Run();   // the exit code

    // Called after every frame, once its trace line is written: the shell keeps the player's
    // files up to date from there.
    void SetFrameObserver(std::function<void()> observer) { frameObserver = std::move(observer); }

private:
    void RunOneFrame();
    void PumpUntilNextFrame();
    void ShowPictureOrWait();
    void Dispatch(const platform::Message& message);
    void DeliverReplayEvents();
    void RequestScreenshots();
    void SaveScreenshotNow();
    void WriteTrace();
    void Finish();
    void PrintTimedemo() const;
    void PrintStats() const;

    Game& game;
    const CommandLine& options;
    LoopPlatform host;                            // clock, messages and waiting
    FramePacer pacer;
    std::unique_ptr<PicturePacer> pictures;       // null: each frame shows its own picture
    double frameStartSeconds = 0.0;               // fine clock at the current frame's start
    double longestFramePicture = 0.0;             // seconds: frames that drew their own picture
    std::unique_ptr<ReplayPlayer> replayPlayer;   // null: the real keyboard plays
    Replay record;                                // what --record writes
    FILE* trace = nullptr;                        // --trace output
    std::deque<platform::Message> posted;         // messages the loop sends itself
    uint64_t frame = 0;                           // the next frame to run
    bool windowDestroyed = false;
    std::vector<double> frameSeconds;             // timedemo: the work of each frame
    std::vector<int> frameDrawCalls;              // timedemo: draw calls of each frame
    double startSeconds = 0.0;
    std::function<void()> frameObserver;          // may be empty
};
