#pragma once
#include <string>
#include <string_view>
#include <vector>

// Small helpers shared by the readers of the text sources.
std::vector<std::string_view> SplitLines(std::string_view text);
std::vector<std::string_view> SplitWords(std::string_view line);
// The line without a trailing comment ('#' followed by a space or at the line's end) and
// without surrounding blanks. A '#' directly followed by a hex digit starts a colour instead.
std::string_view StripComment(std::string_view line);
bool ReadWholeFile(const std::string& path, std::string& contents);
