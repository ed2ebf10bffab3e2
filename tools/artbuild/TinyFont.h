#pragma once
#include <string_view>

#include "Canvas.h"

// A 3x5 pixel font for the labels of the contact sheet: upper-case letters, digits and a few
// signs; lower case prints as upper case and unknown characters as a gap. Each character
// advances 4 pixels (times `scale`).
void DrawTinyText(Canvas& canvas, int x, int y, std::string_view text, Rgba colour, int scale = 1);
int TinyTextWidth(std::string_view text, int scale = 1);
