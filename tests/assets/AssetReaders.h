#pragma once
#include "platform/BmpImage.h"
#include "platform/DdsImage.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

// The art build's files are read back with the game's own decoders, since what matters is what
// the game will see; header fields the decoders do not keep are read straight from the bytes.

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline uint32_t Le32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

inline uint16_t Le16(std::span<const uint8_t> bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }

inline uint8_t Alpha(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }
