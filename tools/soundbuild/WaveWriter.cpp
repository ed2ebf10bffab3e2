#include "WaveWriter.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

void PutId(std::vector<uint8_t>& out, const char* id)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

}  // namespace

std::vector<uint8_t> WriteWave(const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels)
{
    const uint32_t frameBytes = 2u * channels;
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutId(out, "RIFF");
    Put32(out, 4 + 8 + 16 + 8 + dataBytes);
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);          // PCM
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * frameBytes);   // bytes per second
    Put16(out, static_cast<uint16_t>(frameBytes));
    Put16(out, 16);         // bits per sample
    PutId(out, "data");
    Put32(out, dataBytes);
    for (const int16_t sample : samples) Put16(out, static_cast<uint16_t>(sample));
    return out;
}
