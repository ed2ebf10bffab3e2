#include "Colour.h"

#include <algorithm>
#include <cmath>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

uint8_t ClampChannel(float value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

bool ParseHexColour(std::string_view text, Rgba& out)
{
    if (text.size() != 7 && text.size() != 9) return false;
    if (text[0] != '#') return false;
    uint8_t channels[4] = {0, 0, 0, 255};
    for (size_t i = 1; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        channels[(i - 1) / 2] = static_cast<uint8_t>(high * 16 + low);
    }
    out = {channels[0], channels[1], channels[2], channels[3]};
    return true;
}

Rgba Mix(Rgba a, Rgba b, float t)
{
    const auto mixChannel = [t](uint8_t x, uint8_t y) { return ClampChannel(x + (y - x) * t); };
    return {mixChannel(a.r, b.r), mixChannel(a.g, b.g), mixChannel(a.b, b.b), mixChannel(a.a, b.a)};
}

Rgba Scaled(Rgba colour, float factor)
{
    return {ClampChannel(colour.r * factor), ClampChannel(colour.g * factor), ClampChannel(colour.b * factor),
            colour.a};
}

float Luma(Rgba colour)
{
    return 0.299f * colour.r + 0.587f * colour.g + 0.114f * colour.b;
}

int ColourDistance(Rgba a, Rgba b)
{
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}
