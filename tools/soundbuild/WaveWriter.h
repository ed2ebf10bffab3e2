#pragma once
#include <cstdint>
#include <vector>

// A mono 16-bit PCM RIFF WAVE file with the common 16-byte "fmt " chunk.
std::vector<uint8_t> WriteWave(const std::vector<int16_t>& samples, uint32_t rate);
