#include "shell/LiveOptions.h"

#include "core/Settings.h"
#include "game/Game.h"
#include "graphics/Graphics.h"
#include "platform/audio/AudioOutput.h"
#include "platform/input/Events.h"
#include "platform/audio/MusicSynth.h"
#include "platform/system/Window.h"
#include "shell/PlayerFiles.h"
#include "sound/SoundBank.h"

#include <string>

namespace {

constexpr uint16_t VolumeSampleSound = 4;   // the chime of the title's choices

// The run's settings with one value changed: the options change what this run was started with.
template <typename Change> void ChangeRunSettings(Change change)
{
    RunSettings settings = Settings();
    change(settings);
    SetSettings(settings);
}

}  // namespace

LiveOptions::LiveOptions(Game& game, PlayerFiles& files, std::function<void()> presentationChanged)
    : game(game), files(files), presentationChanged(std::move(presentationChanged)), keys(files.Values().keys)
{
}

OptionValues LiveOptions::Values() const
{
    OptionValues values;
    values.fullscreen = platform::IsFullscreen();
    values.classicPictures = Settings().classic;
    values.linearTexture = game.LinearFilter();
    values.musicVolume = Settings().musicVolume;
    values.soundVolume = Settings().soundVolume;
    values.keys = keys;
    return values;
}

// A player who is asked at every start keeps being asked, with this answer offered first.
void LiveOptions::SetFullscreen(bool fullscreen)
{
    platform::SetFullscreen(fullscreen);
    const bool asks = files.Values().mode == ModeSetting::Ask;
    files.Config().Set(asks ? "last-mode" : "mode", ModeValue(!fullscreen));
}

void LiveOptions::SetClassicPictures(bool classic)
{
    ChangeRunSettings([classic](RunSettings& settings) { settings.classic = classic; });
    game.GetGraphics()->SetClassicPresentation(classic);
    presentationChanged();
    files.Config().Set("classic", classic ? "yes" : "no");
}

// The paused picture shows the new filtering at once, as the next frame will.
void LiveOptions::SetLinearTexture(bool linear)
{
    game.SetLinearFilter(linear);
    game.GetGraphics()->RefilterDrawnFrames(linear);
    files.KeepTexture(linear);
}

void LiveOptions::SetMusicVolume(int percent)
{
    ChangeRunSettings([percent](RunSettings& settings) { settings.musicVolume = percent; });
    if (Settings().music) {
        if (platform::MusicSynth* synth = platform::SharedMusicSynth(Settings().soundFont)) synth->SetVolume(percent);
    }
    files.Config().Set("music-volume", std::to_string(percent));
}

void LiveOptions::SetSoundVolume(int percent)
{
    ChangeRunSettings([percent](RunSettings& settings) { settings.soundVolume = percent; });
    platform::SharedAudioOutput().SetSoundVolume(percent);
    if (game.GetSounds()) game.GetSounds()->Play(VolumeSampleSound);
    files.Config().Set("sound-volume", std::to_string(percent));
}

void LiveOptions::BindKey(size_t action, uint8_t key)
{
    keys.Bind(action, key);
    platform::SetKeyboardMap(keys.KeyboardMap());
    files.Config().Set(ActionKeys()[action].setting, BindingKeyName(key));
}

void LiveOptions::HoldSound(bool hold) { platform::SharedAudioOutput().SetPaused(hold); }
