#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// The game's own mixer: any number of sounds at once plus the music, summed into interleaved
// stereo 16-bit blocks. Each sound has one voice that a play restarts from its first sample,
// the way a sound buffer that is rewound and played again behaves. Sounds are never changed in
// pan or speed, and in volume only all together, by the player's setting. Pure code: the audio
// device calls Mix under its lock, tests call it directly.
class AudioMixer {
public:
    // Renders `frames` frames of music as interleaved stereo floats in -1..1 (FluidSynth's scale).
    using MusicRender = void (*)(void* context, float* stereo, int frames);

    static constexpr int   ScratchFrames = 1024;   // largest block mixed in one pass
    static constexpr float MusicScale    = 32768.0f;

    // Registers a sound (interleaved stereo frames, kept by the caller for as long as the mixer
    // may play it) and returns its voice number.
    uint32_t AddSound(const int16_t* stereo, uint32_t frames);
    void RemoveAllSounds();
    void Restart(uint32_t voice);                 // unknown voices are ignored
    bool IsSounding(uint32_t voice) const;
    uint32_t PositionOf(uint32_t voice) const;    // frames already mixed since the last restart
    uint32_t SoundCount() const { return static_cast<uint32_t>(voices.size()); }

    void SetMusic(MusicRender render, void* context);   // null render: no music
    void SetSoundVolume(float gain) { soundGain = gain; }   // 0..1, applied to every sound

    void Mix(int16_t* out, int frames);

private:
    struct Voice {
        const int16_t* samples  = nullptr;   // interleaved stereo
        uint32_t       frames   = 0;         // length of the sound
        uint32_t       position = 0;         // next frame to mix
        bool           sounding = false;     // between a restart and the last frame
    };

    void MixBlock(int16_t* out, int frames);
    void AddVoice(Voice& voice, int frames);

    std::vector<Voice> voices;
    MusicRender        musicRender  = nullptr;
    void*              musicContext = nullptr;
    float              soundGain    = 1.0f;      // the player's sound-effect volume, 0..1
    float              scratch[ScratchFrames * 2] = {};   // running sum, 16-bit sample scale
};

}  // namespace platform
