#pragma once
#include "Canvas.h"

// Gives every fully transparent pixel inside the rectangle the colour of its nearest opaque
// pixels (alpha stays 0), growing outward ring by ring. Linear filtering and mip levels then
// blend an edge with its own colour instead of with black, so no dark fringe appears.
// Pixels the growth never reaches (an empty rectangle) keep their colour.
void BleedTransparentEdges(Canvas& canvas, int x, int y, int width, int height);
