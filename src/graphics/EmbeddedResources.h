#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Pictures compiled into the executable (the six surface bitmaps and the icon), found by their
// resource names ("IMAGE_FIELD0" ... "IMAGE_FIELD5", "GAMEICON"). The asset build generates
// the table; an empty span means the name is unknown.
std::span<const uint8_t> FindEmbeddedResource(std::string_view name);
