#pragma once
#include <cstdint>

// The two vertex layouts the game draws with. Colours are 32-bit ARGB (0xAARRGGBB).

// A point of the 3-D world: position in world units, colour, one texture coordinate pair.
struct WorldVertex {
    float    x = 0.0f;          // world units
    float    y = 0.0f;          // world units, up
    float    z = 0.0f;          // world units
    uint32_t colour = 0;        // ARGB
    float    u = 0.0f;          // texture coordinate, 0..1 over the whole picture
    float    v = 0.0f;          // texture coordinate, 0 at the picture's top

    WorldVertex() = default;
    WorldVertex(float x_, float y_, float z_, uint32_t colour_, float u_, float v_)
        : x(x_), y(y_), z(z_), colour(colour_), u(u_), v(v_) {}
};

// A point already on the screen: pixel position (origin top left, y down), depth 0 near .. 1 far,
// rhw always 1.0, colour, texture coordinates. Camera and world transform do not touch it.
struct ScreenVertex {
    float    x = 0.0f;          // pixels
    float    y = 0.0f;          // pixels, down
    float    z = 0.0f;          // depth 0..1
    float    rhw = 1.0f;        // always 1.0
    uint32_t colour = 0;        // ARGB
    float    u = 0.0f;
    float    v = 0.0f;

    ScreenVertex() = default;
    ScreenVertex(float x_, float y_, float z_, uint32_t colour_, float u_, float v_)
        : x(x_), y(y_), z(z_), rhw(1.0f), colour(colour_), u(u_), v(v_) {}
};

static_assert(sizeof(WorldVertex) == 24, "world vertices are six packed 32-bit fields");
static_assert(sizeof(ScreenVertex) == 28, "screen vertices are seven packed 32-bit fields");
