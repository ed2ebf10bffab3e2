// What the audio callback costs: one 512-frame block (11.6 ms of sound) mixed with all five
// effects sounding, with and without the music synthesizer, offline (no device needed).
#include "core/ErrorReport.h"
#include "core/VirtualKeys.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/MusicSynth.h"
#include "sound/MidiPlayer.h"
#include "sound/SoundBank.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

constexpr int BlockFrames = platform::AudioOutput::BlockFrames;
const char* const SoundFiles[] = {"bomb.wav", "kemu.wav", "HitD@22.wav", "get.wav", "WindD@11.wav"};

std::string InstalledSoundFont()
{
    for (const std::string& path : platform::SoundFontCandidates("")) {
        if (std::filesystem::exists(path)) return path;
    }
    return {};
}

// Keeps every effect sounding: one that has ended is played again.
void KeepAllSounding(SoundBank& bank, platform::AudioOutput& output)
{
    for (const SoundSlot* slot = bank.First(); slot; slot = slot->Next()) {
        if (!output.IsSounding(slot->Voice())) bank.Play(slot->Slot());
    }
}

void MixBlocks(benchmark::State& state, bool withMusic)
{
    SetFatalErrorNotice(nullptr);
    platform::AudioOutput output;
    SoundBank bank;
    bank.UseOutput(&output);
    for (uint16_t slot = 1; slot <= 5; ++slot) bank.Load(SoundFiles[slot - 1], slot);
    if (FatalErrorRaised()) {
        state.SkipWithError("the sound files are missing: run the benchmark from the build folder");
        return;
    }

    std::unique_ptr<platform::MusicSynth> synth;
    std::unique_ptr<MidiPlayer> music;
    if (withMusic) {
        const std::string soundFont = InstalledSoundFont();
        if (soundFont.empty()) {
            state.SkipWithError("no General MIDI SoundFont installed");
            return;
        }
        synth = std::make_unique<platform::MusicSynth>(&output);
        synth->LoadSoundFont(soundFont);
        synth->SetFinishedHandler(nullptr, nullptr);
        output.SetMusic(platform::MusicSynth::RenderInto, synth.get());
        music = std::make_unique<MidiPlayer>(synth.get());
        music->Open("run.mid");
        music->Play();
    }

    std::vector<int16_t> block(BlockFrames * 2);
    for (auto _ : state) {
        KeepAllSounding(bank, output);
        output.Render(block.data(), BlockFrames);
        benchmark::DoNotOptimize(block.data());
        if (music) music->OnMessage(wm::MusicNotify, 1, 0);   // loops the piece if it ended
    }
    const double blockSeconds = static_cast<double>(BlockFrames) / platform::AudioOutput::Rate;
    state.counters["audio_x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()) * blockSeconds, benchmark::Counter::kIsRate);
    state.counters["block_ms"] = blockSeconds * 1000.0;
    output.SetMusic(nullptr, nullptr);
}

void BM_MixFiveEffects(benchmark::State& state) { MixBlocks(state, false); }
void BM_MixFiveEffectsAndMusic(benchmark::State& state) { MixBlocks(state, true); }

// The buffer the system actually grants (SDL's dummy driver unless SDL_AUDIODRIVER says
// otherwise): the device's share of the output latency.
void BM_OpenDeviceLatency(benchmark::State& state)
{
    if (!std::getenv("SDL_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", "dummy", 1);
    int frames = 0;
    for (auto _ : state) {
        platform::AudioOutput output;
        int32_t code = 0;
        std::string reason;
        if (output.OpenDevice(code, reason) != platform::AudioOutput::OpenResult::Opened) {
            state.SkipWithError(reason.c_str());
            return;
        }
        frames = output.DeviceBufferFrames();
        output.CloseDevice();
    }
    state.counters["buffer_frames"] = frames;
    state.counters["buffer_ms"] = 1000.0 * frames / platform::AudioOutput::Rate;
}

}  // namespace

BENCHMARK(BM_MixFiveEffects)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MixFiveEffectsAndMusic)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenDeviceLatency)->Unit(benchmark::kMillisecond)->Iterations(3);
