#pragma once
#include "Canvas.h"
#include "Sculpture.h"

// Direct painting steps used after (or instead of) a sculpture: lines, soft glows and glints.

// A one-pixel line from (x0, y0) to (x1, y1), both ends included.
void Line(Canvas& canvas, int x0, int y0, int x1, int y1, Rgba colour);

// The picture composited over a soft elliptical glow: alpha falls from `peak` (0..1) at the
// centre to 0 at the radii, so the glow shows only around and through the picture's gaps.
Canvas WithHalo(const Canvas& picture, Vec2 centre, Vec2 radii, Rgba colour, float peak);

// A four-pointed glint: a bright core with arms of length `arm` in the arm colour.
void Glint(Canvas& canvas, int x, int y, int arm, Rgba core, Rgba arms);

// Adds light to already painted pixels inside a soft circle (alpha untouched): a local shine.
void Brighten(Canvas& canvas, Vec2 centre, float radius, Rgba colour, float strength);
