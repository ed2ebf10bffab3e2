#pragma once
#include <filesystem>
#include <string>
#include <string_view>

// The player's files (settings and records) are read whole and written whole.

// False when the file is missing or cannot be read; `error` then says which.
bool ReadTextFile(const std::filesystem::path& path, std::string& text, std::string& error);

// Writes the whole file so that a reader sees the old contents or the new, never a mix: a
// temporary file in the same folder, flushed to disk, then renamed over the old one. A missing
// folder is made first. False with a message naming the file when it cannot be written.
bool WriteTextFileAtomically(const std::filesystem::path& path, std::string_view text, std::string& error);
