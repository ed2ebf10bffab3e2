#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "Colour.h"

// A run of colours of one material from darkest to lightest; shading picks a step of it.
using Ramp = std::vector<Rgba>;

// The named ramps and colours every picture draws with, read from the palette source file:
//   # comment
//   ramp  NAME #rrggbb #rrggbb ...   (dark to light)
//   colour NAME #rrggbb[aa]          (a ramp of one)
class Palette {
public:
    // Parses the text; on a malformed line returns false and describes it in `error`.
    bool Parse(std::string_view text, std::string& error);

    bool Has(std::string_view name) const;
    // The ramp of that name; an unknown name is a fault in the drawing code and aborts the
    // build with a message, so a typo never turns into a silently wrong colour.
    const Ramp& Get(std::string_view name) const;
    // One step of a ramp, clamped to its ends; negative steps count from the light end.
    Rgba Step(std::string_view name, int step) const;
    // "name", "name.N", "#rrggbb", "#rrggbbaa" or "none".
    bool Resolve(std::string_view reference, Rgba& out) const;

    size_t Size() const { return ramps.size(); }

private:
    std::map<std::string, Ramp, std::less<>> ramps;
};
