#pragma once
#include <charconv>
#include <string_view>

// Reads a whole decimal number: no sign where the type has none, no trailing characters, no
// overflow. The command line and replay files both accept numbers only this way.
template <typename Number>
bool ParseNumber(std::string_view text, Number& value)
{
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [last, result] = std::from_chars(text.data(), end, value);
    return result == std::errc() && last == end;
}
