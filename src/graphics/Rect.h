#pragma once
#include <cstdint>

// A cut-out of a picture, in pixels of the texture's declared size (256x256 for the sprite
// sheet, 48x48 for the embedded surface bitmaps).
struct Rect {
    int32_t x = 0;        // sheet pixels from the left
    int32_t y = 0;        // sheet pixels from the top
    int32_t width = 0;    // sheet pixels
    int32_t height = 0;   // sheet pixels

    friend bool operator==(const Rect&, const Rect&) = default;
};
