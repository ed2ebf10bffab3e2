#pragma once
#include <filesystem>

namespace platform {

// Moves `from` to `to` unless `to` is there; false with errno EEXIST when it is. Where the file
// system can refuse by itself (Linux's renameat2), it does, even against another program.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// The same by looking first: right only while nobody else moves files there (the game holding
// its lock on the player's files).
bool RenameUnlessTaken(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
