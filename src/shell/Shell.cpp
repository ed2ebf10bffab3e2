#include "shell/Shell.h"

#include "core/ErrorReport.h"
#include "core/GameClock.h"
#include "core/QuitRequest.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/Translation.h"
#include "game/Game.h"
#include "graphics/EmbeddedBitmap.h"
#include "graphics/Graphics.h"
#include "platform/system/Clock.h"
#include "platform/input/Events.h"
#include "platform/input/GameController.h"
#include "platform/system/LoadedLibraries.h"
#include "platform/system/LoopDriver.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/ModeDialog.h"
#include "platform/system/Window.h"
#include "shell/CommandLine.h"
#include "shell/FramePacer.h"
#include "shell/LiveOptions.h"
#include "shell/MainLoop.h"
#include "shell/PlayerFiles.h"
#include "shell/Replay.h"
#include "shell/UserFolders.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <tuple>

namespace {

constexpr const char* GameName = "Velmoor";

int Refuse(const std::string& message)
{
    std::fprintf(stderr, "velmoor: %s\n", message.c_str());
    return 2;
}

// The player's settings file, then the command line over it for this run.
RunSettings SettingsFrom(const CommandLine& options, const PlayerSettings& player)
{
    RunSettings settings;
    settings.headless = options.headless;
    settings.render = !options.noRender;
    settings.sound = !options.noSound && !options.headless;
    settings.music = settings.sound && !options.noMusic;
    settings.integerScale = options.integerScale;
    settings.soundFont = options.soundFont;
    // An option not given keeps the player's setting.
    settings.classic = options.classic.value_or(player.classic);
    settings.fps = options.fps.value_or(player.fps);
    settings.msaa = options.msaa.value_or(player.msaa);
    settings.musicVolume = options.musicVolume.value_or(player.musicVolume);
    settings.soundVolume = options.soundVolume.value_or(player.soundVolume);
    if (options.size) std::tie(settings.width, settings.height) = *options.size;
    settings.fullResolution = options.fullResolution;
    settings.timedemo = options.timedemo;
    return settings;
}

uint32_t ChooseSeed(const CommandLine& options, const Replay* replay)
{
    if (options.seed) return *options.seed;
    if (replay && replay->seed) return *replay->seed;
    return static_cast<uint32_t>(std::time(nullptr));
}

// The windowed/full-screen choice is made before any window exists. Asked, the dialog offers
// the last answer first, and a different answer is remembered for the next start.
bool ChooseWindowedMode(const CommandLine& options, PlayerFiles& files)
{
    if (options.headless) return true;
    if (options.windowed) return *options.windowed;
    const PlayerSettings& player = files.Values();
    if (player.mode != ModeSetting::Ask) return player.mode == ModeSetting::Window;
    const bool windowed = platform::AskWindowedMode(player.lastWindowed);
    if (windowed != player.lastWindowed) files.Config().Set("last-mode", ModeValue(windowed));
    return windowed;
}

// The title bar and the task switcher show the game's own icon.
void ShowWindowIcon()
{
    const platform::DecodedImage icon = DecodeEmbeddedBitmap("GAMEICON");
    if (!icon.Empty()) platform::SetWindowIcon(icon.pixels.data(), icon.width, icon.height);
}

// A fatal error is shown in the platform's notice box as well as on stderr.
void ShowFatalErrorBox(const char* caption, const char* text, const char* reason)
{
    platform::ShowMessageBox(caption, text, reason);
}

int CloseDown(int exitCode)
{
    platform::StopGameControllers();
    platform::ShutdownVideo();
    return exitCode;
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
    if (options.records) return PrintRecordsAndExit();

    Replay replay;
    const bool replaying = !options.replayPath.empty();
    if (replaying && !LoadReplay(options.replayPath, replay, error)) return Refuse(error);

    SetUpTranslation();   // before the dialog and any notice
    const uint32_t seed = ChooseSeed(options, replaying ? &replay : nullptr);
    SharedRandom().Seed(seed);
    SetGameClockSource(platform::Milliseconds);
    PlayerFiles files(ConfigFilePath(), RecordsFilePath());
    files.Load();
    SetSettings(SettingsFrom(options, files.Values()));
    platform::SetKeyboardMap(files.Values().keys.KeyboardMap());
    if (!options.headless) SetFatalErrorNotice(ShowFatalErrorBox);

    if (!platform::InitVideo(options.headless, error)) {
        std::fprintf(stderr, "velmoor: cannot start the video system (no display?): %s\n", error.c_str());
        return 1;
    }
    const bool windowed = ChooseWindowedMode(options, files);
    if (!platform::CreateMainWindow(GameName, !windowed, options.headless, !options.noRender, Settings().width,
                                    Settings().height, error)) {
        std::fprintf(stderr, "velmoor: cannot open the game window: %s\n", error.c_str());
        platform::ShutdownVideo();
        return 1;
    }
    ShowWindowIcon();
    // Pads join the keyboard in a visible game; headless runs take no live input.
    if (!options.headless) platform::StartGameControllers();

    auto game = std::make_unique<Game>();
    if (!game->Init()) {
        std::fprintf(stderr, "velmoor: the game could not start\n");
        game.reset();
        return CloseDown(1);
    }
    platform::KeepLoadedLibraries();
    platform::DisableTextInput();
    files.PrepareGame(*game, !Settings().classic);
    if (!Settings().classic) game->SetTitleHint(Translate("TAB: OPTIONS"));
    auto loop = std::make_unique<MainLoop>(*game, options, seed, replaying ? &replay : nullptr);
    const auto passNotices = [&files, &game] {
        for (std::string& notice : files.TakeNotices()) game->ShowNotice(std::move(notice));
    };
    passNotices();
    loop->SetFrameObserver([&files, &game, replaying, passNotices] {
        files.AfterFrame(*game, !replaying);
        passNotices();
    });
    auto liveOptions = std::make_unique<LiveOptions>(*game, files, [&loop] { loop->PresentationChanged(); });
    // A headless run has no keyboard that could ever resume it.
    loop->EnablePause(*liveOptions, options.classic.value_or(false) || options.headless);
    // In a browser this call hands the loop to the page and never returns, keeping this
    // function's frame and everything it holds alive for the passes.
    return platform::RunLoop([&loop] { return loop->Pass(); },
                             [&] {
                                 const int exitCode = loop->End();
                                 files.WriteWaiting();
                                 // The game lets go of its pictures and sounds before the window goes.
                                 liveOptions.reset();
                                 loop.reset();
                                 game.reset();
                                 return CloseDown(exitCode);
                             });
}
