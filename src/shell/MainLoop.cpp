#include "shell/MainLoop.h"

#include "core/QuitRequest.h"
#include "core/Settings.h"
#include "core/VirtualKeys.h"
#include "game/Game.h"
#include "graphics/Graphics.h"
#include "platform/system/Clock.h"
#include "platform/system/LoopDriver.h"
#include "platform/input/Events.h"
#include "platform/system/Window.h"
#include "shell/Trace.h"

#include <algorithm>
#include <cinttypes>
#include <ctime>
#include <fstream>
#include <numeric>

namespace {

bool IsInputMessage(uint32_t message)
{
    return message == wm::KeyDown || message == wm::KeyUp || message == wm::MouseMove ||
           message == wm::LButtonDown || message == wm::LButtonUp || message == wm::RButtonDown ||
           message == wm::RButtonUp;
}

std::string TimestampedScreenshotName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char name[64];
    std::strftime(name, sizeof name, "velmoor-%Y%m%d-%H%M%S.png", &local);
    return name;
}

// Pictures between frames need a renderer and a reason: a display to follow or a rate asked
// for. The classic presentation, timedemo runs and headless runs without --fps show one
// picture per frame.
std::unique_ptr<PicturePacer> MakePicturePacer(const Graphics& graphics, bool timedemo)
{
    const RunSettings& settings = Settings();
    if (!graphics.HasRenderer() || timedemo || settings.classic) return nullptr;
    if (settings.fps > 0) return std::make_unique<PicturePacer>(1.0 / settings.fps, false);
    if (settings.headless) return nullptr;
    const int refreshRate = platform::DisplayRefreshRate();
    return std::make_unique<PicturePacer>(1.0 / (refreshRate > 0 ? refreshRate : 60), true);
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

}  // namespace

LoopPlatform LoopPlatform::Real()
{
    return {platform::Milliseconds, platform::PollMessage, platform::WaitForMessage, platform::Seconds, {},
            platform::BrowserDrivesLoop()};
}

MainLoop::MainLoop(Game& game, const CommandLine& options, uint32_t seed, const Replay* replay,
                   LoopPlatform loopPlatform)
    : game(game),
      options(options),
      host(std::move(loopPlatform)),
      pacer(host.milliseconds, host.waitForMessage)
{
    if (replay) replayPlayer = std::make_unique<ReplayPlayer>(*replay);
    pictures = MakePicturePacer(*game.GetGraphics(), options.timedemo);
    game.GetGraphics()->SetPicturePerFrame(pictures == nullptr);
    record.seed = seed;
    if (!options.tracePath.empty()) {
        trace = options.tracePath == "-" ? stdout : std::fopen(options.tracePath.c_str(), "w");
        if (!trace) std::fprintf(stderr, "velmoor: cannot write the trace file '%s'\n", options.tracePath.c_str());
        // A trace file is read while the game runs (a window test waits for the scene in it):
        // each frame's line reaches the file when the frame ends.
        else if (trace != stdout) std::setvbuf(trace, nullptr, _IOLBF, BUFSIZ);
    }
}

MainLoop::~MainLoop()
{
    if (trace && trace != stdout) std::fclose(trace);
    if (trace == stdout) std::fflush(stdout);
}

int MainLoop::Run()
{
    while (Pass()) {
    }
    return End();
}

bool MainLoop::Pass()
{
    if (!started) {
        started = true;
        startSeconds = host.seconds();
    }
    if (host.calledPerAnimationFrame) return AnimationFramePass();
    // A fatal error raised while the game was being set up still lets one frame run before the
    // loop ends, as it would on a quit message waiting in the queue.
    RunOneFrame();
    PumpUntilNextFrame();
    return !QuitRequested();
}

int MainLoop::End()
{
    Finish();
    return QuitExitCode();
}

// A browser calls once per animation frame and never lets the page sleep: each call handles
// what has come in, runs the game frame that is due, if one is, and draws one picture.
bool MainLoop::AnimationFramePass()
{
    HandleWaitingMessages();
    if (QuitRequested()) return false;
    if (Paused()) {
        DrawPauseWhenChanged();
        return true;
    }
    if (options.timedemo) {
        RunFramesBackToBack();
        return !QuitRequested();
    }
    if (pacer.DueOnSchedule()) {
        RunOneFrame();
        HandleWaitingMessages();
        if (QuitRequested()) return false;
    }
    if (pictures && !Paused()) ShowPictureNow();
    return !QuitRequested();
}

// A timedemo runs frames without pacing, but a page that never returns to the browser freezes:
// frames run back to back for a slice of time, then the browser has its turn.
void MainLoop::RunFramesBackToBack()
{
    constexpr double SliceSeconds = 0.25;
    const double sliceStart = host.seconds();
    do {
        RunOneFrame();
        HandleWaitingMessages();
    } while (!QuitRequested() && host.seconds() - sliceStart < SliceSeconds);
}

void MainLoop::HandleWaitingMessages()
{
    platform::Message message;
    while (!QuitRequested()) {
        if (!posted.empty()) {
            message = posted.front();
            posted.pop_front();
        } else if (!host.pollMessage(message)) {
            return;
        }
        Dispatch(message);
    }
}

void MainLoop::RunOneFrame()
{
    DeliverReplayEvents();
    RequestScreenshots();
    pacer.StartFrame();
    if (host.frameStarted) host.frameStarted(pacer.FrameStart());
    const double before = host.seconds();
    frameStartSeconds = before;
    const bool keepGoing = game.Frame();
    const double took = host.seconds() - before;
    if (!pictures) longestFramePicture = std::max(longestFramePicture, took);
    if (options.timedemo) {
        frameSeconds.push_back(took);
        frameDrawCalls.push_back(game.GetGraphics()->LastFrameDrawCalls());
    }
    WriteTrace();
    if (frameObserver) frameObserver();
    ++frame;
    // Escape, or the frame budget of --frames, closes the window like its close button.
    const bool budgetSpent = options.frames && frame >= *options.frames;
    if (!keepGoing || budgetSpent) posted.push_back({wm::Close, 0, 0});
}

void MainLoop::PumpUntilNextFrame()
{
    for (;;) {
        HandleWaitingMessages();
        if (QuitRequested()) return;
        if (Paused()) {
            ServePause();
            continue;
        }
        if (options.timedemo) return;
        if (!pictures) {
            if (pacer.ReadyOrWait()) return;
            continue;
        }
        if (pacer.MillisecondsLeft() == 0) return;
        ShowPictureOrWait();
    }
}

// The picture a fraction of the way from the last frame but one to the last, by the time that
// has passed of the current frame's 22 ms when it will be seen.
void MainLoop::ShowPictureOrWait()
{
    const double now = host.seconds();
    const double period = FramePacer::FramePeriodMs / 1000.0;
    const PicturePacer::Step step = pictures->NextStep(now, frameStartSeconds, frameStartSeconds + period);
    if (!step.draw) {
        // Waits are whole milliseconds: the last part of one before a picture spins.
        pacer.WaitAtMost(step.untilFrame ? FramePacer::FramePeriodMs : static_cast<uint32_t>(step.wait * 1000.0));
        return;
    }
    DrawAndShowPicture(now, pictures->SeenAt(now), true);
}

// In a browser the picture is seen when the call returns and the page is composited, a moment
// after it is drawn: the fraction of the frame's 22 ms that has passed by now places it, and
// nothing waits for the drawing (the browser's GPU process does it after the call).
void MainLoop::ShowPictureNow()
{
    const double now = host.seconds();
    DrawAndShowPicture(now, now, false);
}

// The picture seen at `seenAt`, between the last two frames, drawn and shown from `started`.
void MainLoop::DrawAndShowPicture(double started, double seenAt, bool waitUntilDrawn)
{
    const double period = FramePacer::FramePeriodMs / 1000.0;
    const float t = static_cast<float>(std::clamp((seenAt - frameStartSeconds) / period, 0.0, 1.0));
    Graphics& graphics = *game.GetGraphics();
    if (waitUntilDrawn) {
        graphics.DrawPictureAndWait(t);
    } else {
        graphics.DrawPicture(t);
    }
    const double drawn = host.seconds();
    graphics.ShowPicture();
    pictures->Presented(started, drawn, host.seconds());
}

void MainLoop::Dispatch(const platform::Message& message)
{
    if (message.message == 0) return;
    if (message.message == platform::SysKeyDown) {
        if (message.wParam == platform::shellkey::ToggleFullscreen) platform::ToggleFullscreen();
        return;
    }
    if (message.message == wm::KeyDown && message.wParam == platform::shellkey::Screenshot) {
        SaveScreenshotNow();
        return;
    }
    if (message.message == platform::FocusLost) {
        if (menu && !classicControls && !Paused()) Pause();
        return;
    }
    if (message.message == platform::WindowExposed) {
        stillWanted = true;
        return;
    }
    if (HandledByPause(message) || !PassesToGame(message)) return;
    game.OnMessage(message.message, message.wParam, message.lParam);
    if (game.WindowDestroyRequested() && !windowDestroyed) {
        windowDestroyed = true;
        game.OnMessage(wm::Destroy, 0, 0);   // the music stops with the window
        RequestQuit(0);
    }
}

// The keys of the pause and the menus never reach the game, and while a menu is up no key does.
bool MainLoop::HandledByPause(const platform::Message& message)
{
    const bool down = message.message == wm::KeyDown;
    if (!menu || (!down && message.message != wm::KeyUp)) return false;
    const auto key = static_cast<uint8_t>(message.wParam);
    if (menu->IsOpen()) {
        if (key != 0) keysAcrossPause.DuringPause(down, key);
        if (down) AfterMenu(menu->OnKey(key, message.lParam));
        return true;
    }
    const bool fromKeyboard = (message.lParam & platform::PadKeyBit) == 0;
    const auto pressed = static_cast<uint8_t>(message.lParam & 0xff);
    const bool pauseKey = (fromKeyboard && pressed == vk::P) || pressed == vk::Pause;
    const bool optionsKey = fromKeyboard && pressed == vk::Tab && game.State() == StateTitle;
    const bool menuKey = fromKeyboard && pressed == vk::Escape && !classicControls && !replayPlayer &&
                         game.State() == StatePlay;
    if (!pauseKey && !optionsKey && !menuKey) return false;
    if (down && optionsKey) OpenOptionsFromTitle();
    else if (down) Pause();
    return true;
}

// Key messages reach the game only from the real keyboard (a replay plays instead of it), only
// for keys the game is given, and never as a press of a key that went down during a pause.
bool MainLoop::PassesToGame(const platform::Message& message)
{
    if (!IsInputMessage(message.message)) return true;
    if (replayPlayer) return false;
    const bool down = message.message == wm::KeyDown;
    if (!down && message.message != wm::KeyUp) return true;
    const auto key = static_cast<uint8_t>(message.wParam);
    if (key == 0 || !keysAcrossPause.PassToGame(down, key)) return false;
    record.events.push_back({frame, down, key});
    return true;
}

void MainLoop::EnablePause(OptionsHost& optionsHost, bool classic)
{
    menu = std::make_unique<PauseMenu>(optionsHost);
    classicControls = classic;
}

void MainLoop::PresentationChanged()
{
    pictures = MakePicturePacer(*game.GetGraphics(), options.timedemo);
    game.GetGraphics()->SetPicturePerFrame(pictures == nullptr);
}

void MainLoop::Pause()
{
    keysAcrossPause.Paused();
    menu->OpenPause();
}

void MainLoop::OpenOptionsFromTitle()
{
    keysAcrossPause.Paused();
    menu->OpenOptions();
}

void MainLoop::AfterMenu(PauseMenu::Outcome outcome)
{
    if (outcome == PauseMenu::Outcome::Resume) Resume();
    if (outcome == PauseMenu::Outcome::Quit) QuitFromMenu();
}

void MainLoop::Resume()
{
    game.GetGraphics()->ClearOverlay();
    for (const uint8_t key : keysAcrossPause.Resumed()) {
        if (replayPlayer) continue;
        record.events.push_back({frame, false, key});
        game.OnMessage(wm::KeyUp, key, 0);
    }
}

// Quitting from the menu is Escape as the game has always known it: held down for the next
// frame, which ends the run (and a recording of the run ends with it). A replay plays its own
// keys, so there the window simply closes.
void MainLoop::QuitFromMenu()
{
    Resume();
    if (replayPlayer) {
        posted.push_back({wm::Close, 0, 0});
        return;
    }
    keysAcrossPause.PassToGame(true, vk::Escape);
    record.events.push_back({frame, true, vk::Escape});
    game.OnMessage(wm::KeyDown, vk::Escape, 0);
}

// A paused game shows its last picture under the menu: drawn again when the menu changes, the
// window was covered or a screenshot is asked for, and otherwise the loop sleeps until a
// message comes.
void MainLoop::ServePause()
{
    constexpr uint32_t LongestSleepMs = 1000;
    DrawPauseWhenChanged();
    host.waitForMessage(LongestSleepMs);
}

void MainLoop::DrawPauseWhenChanged()
{
    Graphics& graphics = *game.GetGraphics();
    if (menu->TakeChanged()) {
        menu->Draw(graphics);
        stillWanted = true;
    }
    if (stillWanted) graphics.ShowStill();
    stillWanted = false;
}

void MainLoop::DeliverReplayEvents()
{
    if (!replayPlayer) return;
    for (const ReplayEvent& event : replayPlayer->EventsBefore(frame)) {
        game.OnMessage(event.down ? wm::KeyDown : wm::KeyUp, event.key, 0);
        record.events.push_back(event);
    }
}

// A whole frame's picture is taken as that frame ends; one between frames F and F + 1 as frame
// F + 1 ends, when both are known.
void MainLoop::RequestScreenshots()
{
    for (const ScreenshotRequest& request : options.screenshots) {
        if (request.fraction <= 0.0f && request.frame == frame) {
            game.GetGraphics()->RequestScreenshot(request.path);
        } else if (request.fraction > 0.0f && request.frame + 1 == frame) {
            game.GetGraphics()->RequestScreenshot(request.path, request.fraction);
        }
    }
}

void MainLoop::SaveScreenshotNow()
{
    const std::string name = TimestampedScreenshotName();
    game.GetGraphics()->RequestScreenshot(name);
    stillWanted = Paused();   // no frame ends to save it
    std::fprintf(stderr, "velmoor: screenshot %s\n", name.c_str());
}

void MainLoop::WriteTrace()
{
    if (!trace) return;
    std::fputs(FormatTraceLine(game.Snapshot(frame)).c_str(), trace);
}

void MainLoop::Finish()
{
    if (!options.recordPath.empty()) {
        std::ofstream file(options.recordPath, std::ios::binary);
        file << FormatReplay(record);
        if (!file) std::fprintf(stderr, "velmoor: cannot write the replay file '%s'\n", options.recordPath.c_str());
    }
    if (options.timedemo) PrintTimedemo();
    if (options.stats) PrintStats();
}

// The longest picture is the longest a picture took to draw and present; where each frame
// shows its own, the longest frame.
void MainLoop::PrintStats() const
{
    const double longest = pictures ? pictures->LongestPicture() : longestFramePicture;
    std::printf("stats frames=%" PRIu64 " pictures=%" PRIu64 " seconds=%.3f max_picture_ms=%.3f\n", frame,
                game.GetGraphics()->PicturesPresented(), host.seconds() - startSeconds, longest * 1e3);
    std::fflush(stdout);
}

void MainLoop::PrintTimedemo() const
{
    const double seconds = host.seconds() - startSeconds;
    const size_t count = frameSeconds.size();
    const double total = std::accumulate(frameSeconds.begin(), frameSeconds.end(), 0.0);
    const double mean = count ? total / static_cast<double>(count) : 0.0;
    const double maximum = count ? *std::max_element(frameSeconds.begin(), frameSeconds.end()) : 0.0;
    const double drawsMean = count ? std::accumulate(frameDrawCalls.begin(), frameDrawCalls.end(), 0.0) / static_cast<double>(count) : 0.0;
    const int drawsMax = count ? *std::max_element(frameDrawCalls.begin(), frameDrawCalls.end()) : 0;
    std::printf("timedemo frames=%zu seconds=%.3f fps=%.1f mean_ms=%.3f median_ms=%.3f p99_ms=%.3f "
                "max_ms=%.3f draws_mean=%.1f draws_max=%d\n",
                count, seconds, seconds > 0 ? static_cast<double>(count) / seconds : 0.0, mean * 1e3,
                Percentile(frameSeconds, 0.5) * 1e3, Percentile(frameSeconds, 0.99) * 1e3, maximum * 1e3,
                drawsMean, drawsMax);
    std::fflush(stdout);
}
