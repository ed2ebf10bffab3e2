#pragma once
#include "sound/MusicOutput.h"

#include <cstdint>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace platform {

class AudioOutput;

// The music synthesizer: FluidSynth with a General MIDI SoundFont, rendering into the audio
// output's mixer. The sequence advances with the samples rendered (never with the wall clock),
// so an offline render is exactly what a player would hear. When the sequence has played to its
// end the synthesizer says so once, from the audio thread (by default by posting the music
// notification to the main loop).
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
    FinishedHandler       onFinished;
    void*                 finishedContext = nullptr;
};

// The SoundFonts tried, in order: the one chosen on the command line (when given), else the
// system's General MIDI SoundFonts.
std::vector<std::string> SoundFontCandidates(const std::string& chosen);

// The game's synthesizer on the shared audio output, made on first use. Null when no audio
// device is open or no SoundFont loads (one line on stderr says why, once).
MusicSynth* SharedMusicSynth(const std::string& chosenSoundFont);

}  // namespace platform
