#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace platform {

// OpenGL ES (and WebGL2) takes and gives pictures as red, green, blue, alpha bytes; the game
// keeps ARGB words (0xAARRGGBB). Desktop OpenGL goes the same way, so both draw the same.
std::vector<uint8_t> RgbaBytesOf(std::span<const uint32_t> argb);
// rgba holds four bytes for each word of argb.
void ArgbWordsOf(std::span<const uint8_t> rgba, std::span<uint32_t> argb);

}  // namespace platform
