#pragma once
#include "ArtKit.h"
#include "Canvas.h"

// The game's pictures. Each function draws one picture from scratch, deterministically, in
// its own canvas with (0, 0) at the top left; the sprite sheet and the surface files are
// assembled from them. The drawings themselves live with the art sources.

constexpr int creatureSize = 48;   // pixels, enemies, mages and the exit
constexpr int itemSize = 32;       // pixels, pick-ups
constexpr int sparkSize = 16;      // pixels, shot, smoke, puff, ring

// Enemy kinds 1 to 4, walk frames 0 to 2 (the game shows 0, 1, 2, 1).
Canvas DrawEnemy(const ArtKit& kit, int kind, int frame);
// The left (0) and the right (1) mage, idle frames 0 to 2.
Canvas DrawMage(const ArtKit& kit, int which, int frame);
// The exit portal, frames 0 to 2.
Canvas DrawPortal(const ArtKit& kit, int frame);

enum class Item { Key, Map, SlowTime, TimeRefill, LifeRefill, ManaRefill, Cloak, Swift, FreeMagic };
Canvas DrawItem(const ArtKit& kit, Item item);

Canvas DrawMagicShot(const ArtKit& kit);
Canvas DrawSmoke(const ArtKit& kit, int frame);
Canvas DrawPuff(const ArtKit& kit);
Canvas DrawItemRing(const ArtKit& kit);

Canvas DrawTitleBanner(const ArtKit& kit);   // 112 x 16
Canvas DrawClearBanner(const ArtKit& kit);   // 160 x 16

// The 48x48 surfaces, by their number: 0 grass, 1 grass with the magic circle, 2 stone side
// with grass on top, 3 stone side, 4 wall brick, 5 water. Opaque, tiling.
Canvas DrawSurface(const ArtKit& kit, int number);

// The icon, with alpha, drawn for a size in pixels: the window shows the 32x32 one, desktops
// the whole set.
constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int windowIconSize = 32;
Canvas DrawGameIcon(const ArtKit& kit, int size);
