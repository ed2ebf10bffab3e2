#include "platform/audio/MusicSynth.h"

#include "platform/audio/AudioOutput.h"
#include "platform/input/Events.h"

#include <cstdio>
#include <fluidsynth.h>
#include <memory>

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

}  // namespace

struct MusicSynth::State {
    explicit State(AudioOutput* audio) : output(audio) {}

    void DeletePlayer();
    bool SequenceOver() const;

    AudioOutput*          output;                  // not owned; null when rendering offline
    fluid_settings_t*     settings = nullptr;
    fluid_synth_t*        synth    = nullptr;
    fluid_player_t*       player   = nullptr;      // one per rewind, null when closed
    std::vector<uint8_t>  song;                    // the Standard MIDI File being played
    bool                  running  = false;        // between Start and Stop
    bool                  announced = false;       // the end of this run has been reported
    uint64_t              framesSinceStart = 0;    // rendered while running
    FinishedHandler       onFinished = PostEndOfPiece;
    void*                 finishedContext = nullptr;
};

MusicSynth::MusicSynth(AudioOutput* audio) : state(std::make_unique<State>(audio))
{
    QuietenFluidLog();
    state->settings = new_fluid_settings();
    fluid_settings_setnum(state->settings, "synth.sample-rate", AudioOutput::Rate);
    fluid_settings_setnum(state->settings, "synth.gain", Gain);
    // The piece sets its own instruments at its first tick; a reset between plays would cut the
    // last notes' tails at the loop point.
    fluid_settings_setint(state->settings, "player.reset-synth", 0);
    fluid_settings_setstr(state->settings, "player.timing-source", "sample");
    state->synth = new_fluid_synth(state->settings);
}

MusicSynth::~MusicSynth()
{
    if (state->output) state->output->SetMusic(nullptr, nullptr);
    state->DeletePlayer();
    delete_fluid_synth(state->synth);
    delete_fluid_settings(state->settings);
}

bool MusicSynth::LoadSoundFont(const std::string& path)
{
    const AudioOutput::OptionalLock lock(state->output);
    return fluid_synth_sfload(state->synth, path.c_str(), 1) != FLUID_FAILED;
}

void MusicSynth::SetVolume(int percent)
{
    const AudioOutput::OptionalLock lock(state->output);
    fluid_synth_set_gain(state->synth, static_cast<float>(Gain * percent / 100.0));
}

void MusicSynth::SetFinishedHandler(FinishedHandler handler, void* context)
{
    const AudioOutput::OptionalLock lock(state->output);
    state->onFinished = handler;
    state->finishedContext = context;
}

bool MusicSynth::Open(std::vector<uint8_t> newSong)
{
    const AudioOutput::OptionalLock lock(state->output);
    state->DeletePlayer();
    state->song = std::move(newSong);
    return !state->song.empty();
}

void MusicSynth::State::DeletePlayer()
{
    if (!player) return;
    fluid_player_stop(player);
    delete_fluid_player(player);
    player = nullptr;
}

void MusicSynth::Rewind()
{
    const AudioOutput::OptionalLock lock(state->output);
    // A fresh sequencer starts at tick 0 with nothing of the last run's state left over.
    state->DeletePlayer();
    if (state->song.empty()) return;
    state->player = new_fluid_player(state->synth);
    fluid_player_add_mem(state->player, state->song.data(), state->song.size());
    state->announced = false;
}

void MusicSynth::Start()
{
    const AudioOutput::OptionalLock lock(state->output);
    if (!state->player) return;
    fluid_player_play(state->player);
    state->running = true;
    state->framesSinceStart = 0;
}

void MusicSynth::Stop()
{
    const AudioOutput::OptionalLock lock(state->output);
    if (state->player) fluid_player_stop(state->player);
    fluid_synth_all_sounds_off(state->synth, -1);
    state->running = false;
}

void MusicSynth::Close()
{
    const AudioOutput::OptionalLock lock(state->output);
    state->DeletePlayer();
    state->song.clear();
    state->running = false;
}

// FluidSynth's player keeps running for a few seconds after the last tick before it calls
// itself done; the piece is over as soon as the sequence has passed its final tick.
bool MusicSynth::State::SequenceOver() const
{
    if (!player) return false;
    if (fluid_player_get_status(player) == FLUID_PLAYER_DONE) return true;
    const int total = fluid_player_get_total_ticks(player);
    return total > 0 && fluid_player_get_current_tick(player) >= total;
}

bool MusicSynth::Finished() const
{
    const AudioOutput::OptionalLock lock(state->output);
    return state->running && state->SequenceOver();
}

void MusicSynth::Render(float* stereo, int frames)
{
    State& s = *state;
    fluid_synth_write_float(s.synth, frames, stereo, 0, 2, stereo, 1, 2);
    if (s.running) s.framesSinceStart += static_cast<uint64_t>(frames);
    if (!s.running || s.announced || !s.SequenceOver()) return;
    s.announced = true;
    if (s.onFinished) s.onFinished(s.finishedContext);
}

void MusicSynth::RenderInto(void* self, float* stereo, int frames)
{
    static_cast<MusicSynth*>(self)->Render(stereo, frames);
}

uint64_t MusicSynth::FramesSinceStart() const
{
    const AudioOutput::OptionalLock lock(state->output);
    return state->framesSinceStart;
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
