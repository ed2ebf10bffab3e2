#pragma once
#include <string>
#include <string_view>

// The code points of a UTF-8 text; a byte that starts no valid sequence reads as U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
