#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a whole data file (a sound, the music) into memory.
enum class FileRead { Done, CannotOpen, Failed };

// On failure `reason` says why, in the system's words.
FileRead ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason);
