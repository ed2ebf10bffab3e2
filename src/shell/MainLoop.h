#pragma once
#include "shell/CommandLine.h"
#include "shell/FramePacer.h"
#include "shell/KeysAcrossPause.h"
#include "shell/PauseMenu.h"
#include "shell/PicturePacer.h"
#include "shell/Replay.h"

#include "platform/input/Events.h"

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
    // The loop is called once per animation frame from outside (a browser) and must never wait.
    bool calledPerAnimationFrame = false;

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

    // Run in pieces, for a caller that drives the loop itself (a browser's animation frames):
    // Pass until it returns false, then End for the exit code.
    bool Pass();
    int End();

    // Called after every frame, once its trace line is written: the shell keeps the player's
    // files up to date from there.
    void SetFrameObserver(std::function<void()> observer) { frameObserver = std::move(observer); }

    // The pause and its menus (P, Pause, a pad's Start; Tab on the title opens the options).
    // With the classic controls Escape quits at once everywhere and a window that loses the
    // focus plays on, as the original did; otherwise focus lost pauses, and Escape in play
    // opens the menu. Without this call the loop never pauses.
    void EnablePause(OptionsHost& options, bool classicControls);
    bool Paused() const { return menu && menu->IsOpen(); }
    // The presentation changed (the options' Pictures): pictures between frames or not.
    void PresentationChanged();
    // Delivers a key message as the window would (tests drive the pause this way).
    void DeliverMessage(const platform::Message& message) { Dispatch(message); }

private:
    void RunOneFrame();
    void PumpUntilNextFrame();
    void ShowPictureOrWait();
    bool AnimationFramePass();
    void RunFramesBackToBack();
    void HandleWaitingMessages();
    void ShowPictureNow();
    void DrawAndShowPicture(double started, double seenAt, bool waitUntilDrawn);
    void DrawPauseWhenChanged();
    void Dispatch(const platform::Message& message);
    bool HandledByPause(const platform::Message& message);
    bool PassesToGame(const platform::Message& message);
    void Pause();
    void OpenOptionsFromTitle();
    void AfterMenu(PauseMenu::Outcome outcome);
    void Resume();
    void QuitFromMenu();
    void ServePause();
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
    bool started = false;                         // the first pass has begun
    std::function<void()> frameObserver;          // may be empty
    std::unique_ptr<PauseMenu> menu;              // null: the loop never pauses
    bool classicControls = true;                  // Escape quits at once, focus lost plays on
    KeysAcrossPause keysAcrossPause;              // what the game was told of the keys
    bool stillWanted = false;                     // paused: the picture must be shown again
};
