// The web build's music. A browser has no FluidSynth, so the build renders the piece with the
// desktop's synthesizer and SoundFont (velmoor_musicrender) into a seamless loop, run.ogg, and
// this plays it through the same mixer, under the same interface: the game cannot tell.
#include "platform/audio/MusicSynth.h"

#include "core/DataFiles.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/LoopedVorbis.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace platform {

namespace {

constexpr const char* LoopFile = "run.ogg";

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

struct MusicSynth::State {
    explicit State(AudioOutput* audio) : output(audio) {}

    AudioOutput*    output;                  // not owned; null when rendering offline
    LoopedVorbis    loop;                    // the recording, opened once by SharedMusicSynth
    bool            hasSong = false;         // between Open and Close
    FinishedHandler onFinished = nullptr;    // kept for the interface: a loop never ends
    void*           finishedContext = nullptr;
};

MusicSynth::MusicSynth(AudioOutput* audio) : state(std::make_unique<State>(audio)) {}

MusicSynth::~MusicSynth()
{
    if (state->output) state->output->SetMusic(nullptr, nullptr);
}

// The SoundFont was the build machine's; its sound is in the recording.
bool MusicSynth::LoadSoundFont(const std::string&) { return false; }

// The recording was made at the full Gain, and the synthesizer's gain scales its output
// linearly: the same percentage sounds as loud as on the desktop.
void MusicSynth::SetVolume(int percent)
{
    const AudioOutput::OptionalLock lock(state->output);
    state->loop.SetGain(static_cast<float>(percent) / 100.0f);
}

void MusicSynth::SetFinishedHandler(FinishedHandler handler, void* context)
{
    const AudioOutput::OptionalLock lock(state->output);
    state->onFinished = handler;
    state->finishedContext = context;
}

// The player has checked that the song is a whole MIDI file; what is heard is its recording.
bool MusicSynth::Open(std::vector<uint8_t> song)
{
    const AudioOutput::OptionalLock lock(state->output);
    state->hasSong = !song.empty();
    return state->hasSong;
}

void MusicSynth::Rewind()
{
    const AudioOutput::OptionalLock lock(state->output);
    if (state->hasSong) state->loop.Rewind();
}

void MusicSynth::Start()
{
    const AudioOutput::OptionalLock lock(state->output);
    if (state->hasSong) state->loop.Start();
}

void MusicSynth::Stop()
{
    const AudioOutput::OptionalLock lock(state->output);
    state->loop.Stop();
}

void MusicSynth::Close()
{
    const AudioOutput::OptionalLock lock(state->output);
    state->loop.Stop();
    state->hasSong = false;
}

// Never: the recording already holds the moment the desktop starts the piece over (its start
// rings with the tails of its own end) and loops itself sample for sample, so reporting an end
// would only have the player rewind it, a jump back to the top in the middle of a pass.
bool MusicSynth::Finished() const { return false; }

void MusicSynth::Render(float* stereo, int frames)
{
    state->loop.Render(stereo, frames);
}

void MusicSynth::RenderInto(void* self, float* stereo, int frames)
{
    static_cast<MusicSynth*>(self)->Render(stereo, frames);
}

uint64_t MusicSynth::FramesSinceStart() const
{
    const AudioOutput::OptionalLock lock(state->output);
    return state->loop.FramesSinceStart();
}

// No SoundFont is loaded in a browser (a chosen one, too, is of no use there).
std::vector<std::string> SoundFontCandidates(const std::string&) { return {}; }

MusicSynth* SharedMusicSynth(const std::string&)
{
    AudioOutput& audio = SharedAudioOutput();
    if (!audio.HasDevice()) return nullptr;
    static std::unique_ptr<MusicSynth> shared;
    static bool tried = false;
    if (tried) return shared.get();
    tried = true;

    auto synth = std::make_unique<MusicSynth>(&audio);
    const std::string path = FindDataFile(LoopFile);
    std::vector<uint8_t> bytes;
    std::string reason = "cannot read it";
    if (!ReadWholeFile(path, bytes) || !synth->state->loop.Open(std::move(bytes), reason)) {
        std::fprintf(stderr, "velmoor: music off: the music loop %s cannot be played: %s\n", path.c_str(), reason.c_str());
        return nullptr;
    }
    shared = std::move(synth);
    audio.SetMusic(MusicSynth::RenderInto, shared.get());
    return shared.get();
}

}  // namespace platform
