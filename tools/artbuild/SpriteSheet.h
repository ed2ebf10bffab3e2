#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ArtKit.h"
#include "Canvas.h"

constexpr int sheetSize = 256;  // pixels, both ways

// One picture's place on the sheet, in sheet pixels, and how it is drawn.
struct SheetPlace {
    std::string label;   // shown on the contact sheet
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::function<Canvas(const ArtKit&)> draw;
};

// Where the game cuts every picture from the sheet.
std::vector<SheetPlace> SheetLayout();

// The complete sheet: every picture at its place, transparent elsewhere, with the colour of
// transparent pixels bled from their opaque neighbours within each place.
Canvas BuildSpriteSheet(const ArtKit& kit, const std::vector<SheetPlace>& layout);
