#pragma once
#include <cstdint>
#include <string_view>

// One pixel: 8-bit red, green, blue and alpha (255 = opaque). Pictures are composed in this form
// and converted to the files' own layouts (ARGB, BGR, palette indices) only when written.
struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba Opaque(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, 255}; }
constexpr Rgba Transparent() { return {0, 0, 0, 0}; }

// "#rrggbb" or "#rrggbbaa"; returns false (and leaves `out` alone) on anything else.
bool ParseHexColour(std::string_view text, Rgba& out);

// Straight linear mix of every channel, t = 0 gives a, t = 1 gives b.
Rgba Mix(Rgba a, Rgba b, float t);

// Scales red, green and blue by `factor` (alpha kept), clamped to 0..255.
Rgba Scaled(Rgba colour, float factor);

// Perceived brightness 0..255 (Rec. 601 weights).
float Luma(Rgba colour);

// Squared distance in RGB weighted toward green, the channel the eye resolves best.
int ColourDistance(Rgba a, Rgba b);
