// The sound loader's RIFF WAVE reader on arbitrary bytes: it must refuse or accept without ever
// reading outside the buffer, and a file it accepts must convert cleanly.
#include "platform/audio/AudioOutput.h"
#include "sound/WaveFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WaveFile wave;
    if (!wave.Parse(data, size)) return 0;
    // A tiny file can claim a very low rate and stretch into minutes of output; keep each run
    // small (the length rule itself is covered by ToStereo16's own limit).
    const uint64_t outputFrames = static_cast<uint64_t>(wave.FrameCount()) * platform::AudioOutput::Rate / wave.SamplesPerSecond();
    if (outputFrames > (1u << 20)) return 0;
    const std::vector<int16_t> converted = wave.ToStereo16(platform::AudioOutput::Rate);
    if (wave.FrameCount() > 0 && converted.empty()) __builtin_trap();
    if (converted.size() % 2 != 0) __builtin_trap();
    return 0;
}
