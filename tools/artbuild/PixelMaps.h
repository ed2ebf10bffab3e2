#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "Canvas.h"
#include "Palette.h"

// Pixel art written as text: each map is a block of equal-length rows, one character a pixel,
// and the file's legend says which palette colour each character stands for.
//
//   # a comment (outside blocks only)
//   legend
//   . none
//   o outline
//   g gold.3
//   end
//   map key-bit
//   .oo.
//   ogg o
//   end
//
// Inside a block every character counts, '#' included.
struct PixelMap {
    std::string name;
    std::vector<std::string> rows;  // top row first, all the same length

    int Width() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
    int Height() const { return static_cast<int>(rows.size()); }
    char At(int x, int y) const;   // ' ' outside the map
};

class PixelMapBook {
public:
    bool Parse(std::string_view text, std::string& error);

    bool Has(std::string_view name) const;
    // Aborts the build with a message for an unknown name (a fault in the drawing code).
    const PixelMap& Get(std::string_view name) const;
    // The map painted with the legend's colours; characters without a legend entry are
    // transparent. Fails (false, with `error`) when a legend entry names no palette colour.
    bool Paint(std::string_view name, const Palette& palette, Canvas& out, std::string& error) const;
    Canvas Paint(std::string_view name, const Palette& palette) const;

    const std::map<char, std::string>& Legend() const { return legend; }

private:
    std::map<char, std::string> legend;                 // character -> colour reference
    std::map<std::string, PixelMap, std::less<>> maps;  // by name
};
