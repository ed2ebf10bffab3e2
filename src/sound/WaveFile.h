#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A RIFF WAVE file as the sound loader reads it. The reader follows the loader the game's
// sounds were made for: the first sub-chunk of the RIFF form is taken as the format whatever
// its name, 18 bytes of format are read from there (a plain 16-byte "fmt " chunk still loads
// because the read runs on into the following bytes of the file), only PCM is accepted, and the
// "data" chunk is searched for past any other chunks. The reader never looks outside the bytes
// it was given, whatever sizes the file claims.
class WaveFile {
public:
    static constexpr uint16_t FormatPcm       = 1;
    static constexpr size_t   FormatReadBytes = 18;   // the WAVEFORMATEX layout
    static constexpr uint32_t LowestRate      = 100;      // frames per second, as sound buffers allowed
    static constexpr uint32_t HighestRate     = 384000;
    static constexpr uint64_t LongestOutput   = 600ull * 44100;   // frames: ten minutes is no sound effect

    // Reads the file's bytes; false (and an empty WaveFile) for anything the loader refuses.
    bool Parse(const uint8_t* bytes, size_t size);

    // The sound in the output format: interleaved stereo 16-bit at `outputRate` frames per
    // second (8-bit samples widened, mono doubled, other rates resampled linearly). Empty when
    // there is nothing to play or the result would be longer than LongestOutput.
    std::vector<int16_t> ToStereo16(uint32_t outputRate) const;

    uint16_t Channels() const        { return channels; }
    uint32_t SamplesPerSecond() const{ return samplesPerSecond; }
    uint16_t BitsPerSample() const   { return bitsPerSample; }
    uint32_t FrameCount() const;
    const std::vector<uint8_t>& Data() const { return data; }

private:
    int16_t SampleAt(uint32_t frame, uint16_t channel) const;   // widened to 16 bits

    uint16_t channels         = 0;   // 1 or 2
    uint32_t samplesPerSecond = 0;   // frames per second, LowestRate..HighestRate
    uint16_t bitsPerSample    = 0;   // 8 (unsigned) or 16 (signed little-endian)
    std::vector<uint8_t> data;       // the "data" chunk, whole
};
