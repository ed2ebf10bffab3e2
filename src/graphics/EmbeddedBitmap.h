#pragma once
#include "platform/images/DecodedImage.h"

#include <string_view>

// A picture compiled into the program, decoded to 32-bit ARGB pixels (top row first); empty
// when the name is unknown or the picture unreadable. The shell makes the window icon from
// "GAMEICON" with it.
platform::DecodedImage DecodeEmbeddedBitmap(std::string_view name);
