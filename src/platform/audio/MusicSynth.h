#pragma once
#include "sound/MusicOutput.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class AudioOutput;

// The music synthesizer: FluidSynth with a General MIDI SoundFont, rendering into the audio
// output's mixer. The sequence advances with the samples rendered (never with the wall clock),
// so an offline render is exactly what a player would hear. When the sequence has played to its
// end the synthesizer says so once, from the audio thread (by default by posting the music
// notification to the main loop).
//
// The web build has no FluidSynth: its MusicSynth (web/MusicSynth.cpp, same interface) plays the
// piece as the desktop's synthesizer rendered it at build time, a recording that loops itself.
// What each build keeps is its own State, so this header names no synthesizer library.
class MusicSynth final : public MusicOutput {
public:
    using FinishedHandler = void (*)(void* context);

    // With an output, every call from the game takes its lock; without one it renders offline.
    explicit MusicSynth(AudioOutput* output);
    MusicSynth(const MusicSynth&) = delete;
    MusicSynth& operator=(const MusicSynth&) = delete;
    ~MusicSynth() override;

    bool LoadSoundFont(const std::string& path);
    void SetFinishedHandler(FinishedHandler handler, void* context);
    void SetVolume(int percent);   // 0..100 of Gain

    bool Open(std::vector<uint8_t> song) override;
    void Rewind() override;
    void Start() override;
    void Stop() override;
    void Close() override;
    bool Finished() const override;

    // Renders interleaved stereo floats; the audio callback calls it under the output's lock.
    void Render(float* stereo, int frames);
    static void RenderInto(void* synth, float* stereo, int frames);
    uint64_t FramesSinceStart() const;   // how far the output has pulled the current run

    static constexpr double Gain = 0.35;   // FluidSynth's master gain: music sits under the effects

private:
    struct State;
    friend MusicSynth* SharedMusicSynth(const std::string& chosenSoundFont);   // sets the shared one up

    std::unique_ptr<State> state;
};

// The SoundFonts tried, in order: the one chosen on the command line (when given), else the
// system's General MIDI SoundFonts.
std::vector<std::string> SoundFontCandidates(const std::string& chosen);

// The game's synthesizer on the shared audio output, made on first use. Null when no audio
// device is open or no SoundFont loads (one line on stderr says why, once).
MusicSynth* SharedMusicSynth(const std::string& chosenSoundFont);

}  // namespace platform
