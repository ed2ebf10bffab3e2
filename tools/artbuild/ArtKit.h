#pragma once
#include <string>
#include <string_view>

#include "Canvas.h"
#include "Palette.h"
#include "PixelMaps.h"
#include "Sculpture.h"

// Everything a drawing needs: the palette and the pixel maps read from the art sources, and
// shortcuts for the common steps of building a picture.
class ArtKit {
public:
    // Reads palette.txt, lettering.txt and details.txt from the source folder.
    bool Load(const std::string& sourceFolder, std::string& error);

    const Palette& Colours() const { return palette; }
    const PixelMapBook& Lettering() const { return lettering; }
    const PixelMapBook& Details() const { return details; }

    const Ramp& RampOf(std::string_view name) const { return palette.Get(name); }
    Rgba Colour(std::string_view name, int step = 0) const { return palette.Step(name, step); }
    // A rounded, lit, contoured surface of that material.
    Look Material(std::string_view ramp) const;
    // The same, lighter or darker by `bias` and more or less rounded.
    Look Plain(std::string_view ramp, float bias = 0.0f, float roundness = 1.0f) const;
    Sculpture NewSculpture(int width, int height) const;
    // Paints a detail map (from details.txt) over the canvas at (x, y); transparent pixels of
    // the map leave the canvas alone.
    void Stamp(Canvas& canvas, std::string_view detail, int x, int y) const;

private:
    Palette palette;
    PixelMapBook lettering;
    PixelMapBook details;
};
