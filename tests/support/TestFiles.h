#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Files for tests: every test writes under the build's test-output folder, never elsewhere.

// A folder of its own under the test output folder, emptied first; `name` may hold slashes.
std::filesystem::path FreshTestFolder(const std::string& name);
void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);
std::string ReadText(const std::filesystem::path& path);   // empty when the file cannot be read
