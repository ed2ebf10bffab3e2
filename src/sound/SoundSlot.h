#pragma once
#include <cstdint>
#include <memory>
#include <vector>

namespace platform { class AudioOutput; }

// One loaded sound of the sound bank, played by its slot number. The sound is held whole,
// already in the output's format, and a play restarts it from its first sample.
class SoundSlot {
public:
    static constexpr uint32_t NoVoice = UINT32_MAX;

    explicit SoundSlot(uint16_t slotNumber) : slot(slotNumber) {}

    // Reads a RIFF WAVE file (found like every data file) into `buffer`; with an output
    // present, also hands the sound to its mixer. An unopenable file is written to the error
    // report; every failure returns false and leaves the buffer empty.
    bool LoadWave(platform::AudioOutput* device, const char* file);
    void AttachTo(platform::AudioOutput* device);   // a voice on this output (null: none)

    bool Loaded() const                  { return !buffer.empty(); }
    uint16_t Slot() const                { return slot; }
    uint32_t Voice() const               { return voice; }
    const std::vector<int16_t>& Samples() const { return buffer; }
    SoundSlot* Next() const              { return next.get(); }
    void Append(std::unique_ptr<SoundSlot> tail) { next = std::move(tail); }

private:
    std::vector<int16_t>       buffer;             // interleaved stereo at the output rate; empty until loaded
    uint16_t                   slot;               // the number the game plays it by
    std::unique_ptr<SoundSlot> next;               // next slot of the bank's list, null at the tail
    uint32_t                   voice = NoVoice;    // the output mixer's voice, NoVoice without an output
};
