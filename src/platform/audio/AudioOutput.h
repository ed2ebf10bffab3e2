#pragma once
#include "platform/audio/AudioMixer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The program's one sound output: an SDL audio device whose callback pulls blocks from the
// mixer. Until a device is open (and on machines without one) the output still accepts sounds
// and music, and Render pulls the mix by hand (tests, benchmarks); nothing is heard.
class AudioOutput {
public:
    static constexpr int Rate        = 44100;   // frames per second
    static constexpr int Channels    = 2;
    static constexpr int BlockFrames = 512;     // about 11.6 ms: the device's buffer

    enum class OpenResult { Opened, SubsystemFailed, DeviceFailed };

    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;
    ~AudioOutput();

    // Opens SDL's default output device. On failure `resultCode` holds the SDL call's result and
    // `reason` SDL's explanation.
    OpenResult OpenDevice(int32_t& resultCode, std::string& reason);
    void CloseDevice();
    bool HasDevice() const { return device != 0; }
    int DeviceBufferFrames() const { return bufferFrames; }   // as granted by the device

    // Everything below takes the device lock, so it is safe while the device plays.
    uint32_t AddSound(const int16_t* stereo, uint32_t frames);
    void RemoveAllSounds();
    void PlaySound(uint32_t voice);
    void SetMusic(AudioMixer::MusicRender render, void* context);
    void SetSoundVolume(int percent);        // 0..100
    // A paused device holds every sound and the music where they are, silent, until resumed.
    void SetPaused(bool paused);
    void Render(int16_t* out, int frames);   // pulls the mix by hand
    bool IsSounding(uint32_t voice);
    uint32_t PositionOf(uint32_t voice);

    // Holds the device lock for a scope: the mixer callback cannot run meanwhile.
    class Lock {
    public:
        explicit Lock(const AudioOutput& output);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
    private:
        uint32_t device;
    };
    // The same when there is an output; a synthesizer rendering offline has none to lock.
    class OptionalLock {
    public:
        explicit OptionalLock(const AudioOutput* output)
        {
            if (output) lock.emplace(*output);
        }
    private:
        std::optional<Lock> lock;
    };

private:
    static void Callback(void* self, uint8_t* stream, int bytes);

    AudioMixer mixer;
    uint32_t   device       = 0;   // SDL audio device id, 0 when none is open
    int        bufferFrames = 0;   // frames per device callback, 0 when none is open
};

// The output that the sound bank opens and the music joins.
AudioOutput& SharedAudioOutput();

}  // namespace platform
