#pragma once
#include <cstdint>
#include <vector>

#include "Colour.h"

// A picture being composed: width x height pixels, row 0 at the top. Reads outside the picture
// give a transparent pixel and writes outside it are dropped, so drawing code can run off edges.
class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    Rgba At(int x, int y) const;
    // Wraps both coordinates into the picture: the view of a tiling surface.
    Rgba AtWrapped(int x, int y) const;
    void Set(int x, int y, Rgba colour);
    // Paints `colour` over the pixel with ordinary "over" compositing.
    void Blend(int x, int y, Rgba colour);
    void Fill(Rgba colour);

    // Copies `source` with its top-left corner at (x, y), replacing what is there.
    void Paste(const Canvas& source, int x, int y);
    // Composites `source` over this picture with its top-left corner at (x, y).
    void Composite(const Canvas& source, int x, int y);
    Canvas Crop(int x, int y, int cropWidth, int cropHeight) const;
    // Nearest-neighbour enlargement by a whole factor.
    Canvas Enlarged(int factor) const;
    Canvas MirroredHorizontally() const;

    const std::vector<Rgba>& Pixels() const { return pixels; }

private:
    int width = 0;              // pixels
    int height = 0;             // pixels
    std::vector<Rgba> pixels;   // row-major, top row first
};
