#pragma once
#include <cstdint>
#include <vector>

// A 16-bit PCM RIFF WAVE file with the common 16-byte "fmt " chunk; `samples` are interleaved
// when there is more than one channel.
std::vector<uint8_t> WriteWave(const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels = 1);
