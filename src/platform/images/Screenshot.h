#pragma once
#include "platform/images/DecodedImage.h"

#include <string>

namespace platform {

// Writes the picture as an opaque RGB PNG file. False when the file cannot be written.
bool SavePng(const std::string& path, const DecodedImage& image);

}  // namespace platform
