#pragma once
#include "sound/SoundSlot.h"

#include <cstdint>
#include <memory>

namespace platform { class AudioOutput; }

// The sound effects: the audio output and a list of loaded sounds, each played by a small slot
// number. The game loads 1 "bomb.wav" (a shot stopped by the ruin), 2 "kemu.wav" (an enemy
// slain), 3 "HitD@22.wav" (the player struck), 4 "get.wav" (pick-ups, title confirmations) and
// 5 "WindD@11.wav" (the exit reached).
class SoundBank {
public:
    SoundBank() = default;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    ~SoundBank();

    // Opens the audio device. Without sound (--no-sound, headless) it opens nothing and reports
    // nothing; a device that cannot be opened is written to the error report and the game goes
    // on silently. Sounds loaded before are attached to the new device.
    bool Init();
    // Uses an output that someone else opened (or an offline one): tests and tools.
    void UseOutput(platform::AudioOutput* output);

    // Loads a WAV file under `slot`. A file that cannot be loaded is a fatal error; the slot is
    // still listed and plays nothing.
    SoundSlot* Load(const char* file, uint16_t slot);
    // Restarts the first sound loaded under `slot` from its beginning; unknown slots are silent.
    void Play(uint16_t slot);
    // Closes the device; the loaded sounds stay.
    void Release();

    platform::AudioOutput* Device() const { return device; }
    SoundSlot* First() const              { return first.get(); }

private:
    void AttachAll();

    platform::AudioOutput*     device = nullptr;   // not owned; null until Init succeeds
    std::unique_ptr<SoundSlot> first;              // the slot list in load order
};
