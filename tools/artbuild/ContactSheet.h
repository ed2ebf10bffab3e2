#pragma once
#include <string>
#include <vector>

#include "Canvas.h"
#include "ImageFiles.h"
#include "SpriteSheet.h"

// The page an artist reviews: the sprite sheet enlarged three times on a checkerboard with every
// place outlined and labelled, each surface tiled 3x3, and the sprites at the sizes the game
// shows them against the sky.
Canvas ComposeContactSheet(const Canvas& sheet, const std::vector<SheetPlace>& layout,
                           const std::vector<Canvas>& surfaces, const Canvas& icon);

// PNG file bytes of a picture.
Bytes EncodePng(const Canvas& picture);
