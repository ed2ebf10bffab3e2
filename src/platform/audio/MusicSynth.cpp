#include "platform/audio/MusicSynth.h"

#include "platform/audio/AudioOutput.h"
#include "platform/input/Events.h"

#include <cstdio>
#include <fluidsynth.h>
#include <memory>
#include <optional>

namespace platform {

namespace {

void PostEndOfPiece(void*) { PostMusicNotification(1); }

// The synthesizer's chatter (missing presets, a SoundFont that would not load) is of no use to
// a player: the game says in one line of its own when the music is off.
void QuietenFluidLog()
{
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

// Takes the output's lock when there is an output.
class OptionalLock {
public:
    explicit OptionalLock(const AudioOutput* output)
    {
        if (output) lock.emplace(*output);
    }
private:
    std::optional<AudioOutput::Lock> lock;
};

}  // namespace

MusicSynth::MusicSynth(AudioOutput* audio) : output(audio), onFinished(PostEndOfPiece)
{
    QuietenFluidLog();
    settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", AudioOutput::Rate);
    fluid_settings_setnum(settings, "synth.gain", Gain);
    // The piece sets its own instruments at its first tick; a reset between plays would cut the
    // last notes' tails at the loop point.
    fluid_settings_setint(settings, "player.reset-synth", 0);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    synth = new_fluid_synth(settings);
}

MusicSynth::~MusicSynth()
{
    if (output) output->SetMusic(nullptr, nullptr);
    DeletePlayer();
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
}

bool MusicSynth::LoadSoundFont(const std::string& path)
{
    const OptionalLock lock(output);
    return fluid_synth_sfload(synth, path.c_str(), 1) != FLUID_FAILED;
}

void MusicSynth::SetVolume(int percent)
{
    const OptionalLock lock(output);
    fluid_synth_set_gain(synth, static_cast<float>(Gain * percent / 100.0));
}

void MusicSynth::SetFinishedHandler(FinishedHandler handler, void* context)
{
    const OptionalLock lock(output);
    onFinished = handler;
    finishedContext = context;
}

bool MusicSynth::Open(std::vector<uint8_t> newSong)
{
    const OptionalLock lock(output);
    DeletePlayer();
    song = std::move(newSong);
    return !song.empty();
}

void MusicSynth::DeletePlayer()
{
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
}

void MusicSynth::Rewind()
{
    const OptionalLock lock(output);
    // A fresh sequencer starts at tick 0 with nothing of the last run's state left over.
    DeletePlayer();
    if (song.empty()) return;
    player = new_fluid_player(synth);
    fluid_player_add_mem(player, song.data(), song.size());
    announced = false;
}

void MusicSynth::Start()
{
    const OptionalLock lock(output);
    if (!player) return;
    fluid_player_play(player);
    running = true;
    framesSinceStart = 0;
}

void MusicSynth::Stop()
{
    const OptionalLock lock(output);
    if (player) fluid_player_stop(player);
    fluid_synth_all_sounds_off(synth, -1);
    running = false;
}

void MusicSynth::Close()
{
    const OptionalLock lock(output);
    DeletePlayer();
    song.clear();
    running = false;
}

// FluidSynth's player keeps running for a few seconds after the last tick before it calls
// itself done; the piece is over as soon as the sequence has passed its final tick.
bool MusicSynth::SequenceOver() const
{
    if (!player) return false;
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE) return true;
    const int total = fluid_player_get_total_ticks(player);
    return total > 0 && fluid_player_get_current_tick(player) >= total;
}

bool MusicSynth::Finished() const
{
    const OptionalLock lock(output);
    return running && SequenceOver();
}

void MusicSynth::Render(float* stereo, int frames)
{
    fluid_synth_write_float(synth, frames, stereo, 0, 2, stereo, 1, 2);
    if (running) framesSinceStart += static_cast<uint64_t>(frames);
    if (!running || announced || !SequenceOver()) return;
    announced = true;
    if (onFinished) onFinished(finishedContext);
}

void MusicSynth::RenderInto(void* self, float* stereo, int frames)
{
    static_cast<MusicSynth*>(self)->Render(stereo, frames);
}

uint64_t MusicSynth::FramesSinceStart() const
{
    const OptionalLock lock(output);
    return framesSinceStart;
}

std::vector<std::string> SoundFontCandidates(const std::string& chosen)
{
    if (!chosen.empty()) return {chosen};
    return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
}

MusicSynth* SharedMusicSynth(const std::string& chosenSoundFont)
{
    AudioOutput& audio = SharedAudioOutput();
    if (!audio.HasDevice()) return nullptr;
    static std::unique_ptr<MusicSynth> shared;
    static bool tried = false;
    if (tried) return shared.get();
    tried = true;

    auto synth = std::make_unique<MusicSynth>(&audio);
    const std::vector<std::string> candidates = SoundFontCandidates(chosenSoundFont);
    for (const std::string& path : candidates) {
        if (!synth->LoadSoundFont(path)) continue;
        shared = std::move(synth);
        audio.SetMusic(MusicSynth::RenderInto, shared.get());
        return shared.get();
    }
    std::string triedList;
    for (const std::string& path : candidates) triedList += (triedList.empty() ? "" : ", ") + path;
    std::fprintf(stderr, "velmoor: music off: no General MIDI SoundFont could be loaded (tried %s)\n",
                 triedList.c_str());
    return nullptr;
}

}  // namespace platform
