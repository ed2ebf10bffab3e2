#include "shell/Shell.h"

#include "core/ErrorReport.h"
#include "core/GameClock.h"
#include "core/QuitRequest.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "game/Game.h"
#include "graphics/EmbeddedBitmap.h"
#include "graphics/Graphics.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/GameController.h"
#include "platform/LoadedLibraries.h"
#include "platform/MessageBox.h"
#include "platform/Window.h"
#include "shell/CommandLine.h"
#include "shell/FramePacer.h"
#include "shell/MainLoop.h"
#include "shell/Replay.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr const char* GameName = "Velmoor";

int Refuse(const std::string& message)
{
    std::fprintf(stderr, "velmoor: %s\n", message.c_str());
    return 2;
}

RunSettings SettingsFrom(const CommandLine& options)
{
    RunSettings settings;
    settings.headless = options.headless;
    settings.render = !options.noRender;
    settings.sound = !options.noSound && !options.headless;
    settings.music = settings.sound && !options.noMusic;
    settings.integerScale = options.integerScale;
    settings.soundFont = options.soundFont;
    settings.classic = options.classic.value_or(settings.classic);
    settings.fps = options.fps.value_or(settings.fps);
    settings.msaa = options.msaa.value_or(settings.msaa);
    settings.musicVolume = options.musicVolume.value_or(settings.musicVolume);
    settings.soundVolume = options.soundVolume.value_or(settings.soundVolume);
    return settings;
}

uint32_t ChooseSeed(const CommandLine& options, const Replay* replay)
{
    if (options.seed) return *options.seed;
    if (replay && replay->seed) return *replay->seed;
    return static_cast<uint32_t>(std::time(nullptr));
}

// The windowed/full-screen choice is made before any window exists.
bool ChooseWindowedMode(const CommandLine& options)
{
    if (options.headless) return true;
    if (options.windowed) return *options.windowed;
    return platform::AskWindowedMode();
}

// The title bar and the task switcher show the game's own icon.
void ShowWindowIcon()
{
    const platform::DecodedImage icon = DecodeEmbeddedBitmap("GAMEICON");
    if (!icon.Empty()) platform::SetWindowIcon(icon.pixels.data(), icon.width, icon.height);
}

// A fatal error is shown in the platform's notice box as well as on stderr.
void ShowFatalErrorBox(const char* caption, const char* text)
{
    platform::ShowMessageBox(caption, text);
}

}  // namespace

int RunShell(int argc, char** argv)
{
    CommandLine options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error)) return Refuse(error);
    if (options.help) {
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("velmoor %s\n", VELMOOR_VERSION);
        return 0;
    }
    if (options.printRuin) return PrintRuinAndExit(*options.printRuin, options.titleRuin);

    Replay replay;
    const bool replaying = !options.replayPath.empty();
    if (replaying && !LoadReplay(options.replayPath, replay, error)) return Refuse(error);

    const uint32_t seed = ChooseSeed(options, replaying ? &replay : nullptr);
    SharedRandom().Seed(seed);
    SetGameClockSource(platform::Milliseconds);
    SetSettings(SettingsFrom(options));
    if (!options.headless) SetFatalErrorNotice(ShowFatalErrorBox);

    const bool windowed = ChooseWindowedMode(options);
    if (!platform::InitVideo(options.headless, error)) {
        std::fprintf(stderr, "velmoor: cannot start the video system (no display?): %s\n", error.c_str());
        return 1;
    }
    if (!platform::CreateMainWindow(GameName, !windowed, options.headless, !options.noRender, error)) {
        std::fprintf(stderr, "velmoor: cannot open the game window: %s\n", error.c_str());
        platform::ShutdownVideo();
        return 1;
    }
    ShowWindowIcon();
    // Pads join the keyboard in a visible game; headless runs take no live input.
    if (!options.headless) platform::StartGameControllers();

    int exitCode = 1;
    {
        Game game;
        if (game.Init()) {
            platform::KeepLoadedLibraries();
            platform::DisableTextInput();
            MainLoop loop(game, options, seed, replaying ? &replay : nullptr);
            exitCode = loop.Run();
        } else {
            std::fprintf(stderr, "velmoor: the game could not start\n");
        }
    }
    platform::StopGameControllers();
    platform::ShutdownVideo();
    return exitCode;
}
