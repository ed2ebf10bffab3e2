// The six 48x48 surfaces of the ruin: grass on top of the blocks, the same grass carrying the
// pale lilac magic circle, the brown stone-and-earth sides (with a band of overhanging grass on
// a column's top block), the blue-grey brick of the wall ring with its dark red mortar, and the
// rippled water of the light column. Every pattern repeats every 48 pixels both ways (noise on
// a wrapping lattice, shapes placed on a torus), so the tiles join without seams.

#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtBook.h"
#include "Noise.h"

namespace {

constexpr int size = 48;
constexpr float pi = 3.14159265f;

int Wrap(int value)
{
    return ((value % size) + size) % size;
}

Rgba Step(const Ramp& ramp, int step)
{
    return ramp[static_cast<size_t>(std::clamp(step, 0, static_cast<int>(ramp.size()) - 1))];
}

int StepIndex(const Ramp& ramp, float level)
{
    return std::clamp(static_cast<int>(std::floor(level * static_cast<float>(ramp.size()))), 0,
                      static_cast<int>(ramp.size()) - 1);
}

// Index of a colour in its ramp (the surfaces darken and lighten pixels by whole steps).
int IndexIn(const Ramp& ramp, Rgba colour)
{
    for (size_t i = 0; i < ramp.size(); ++i) {
        if (ramp[i] == colour) return static_cast<int>(i);
    }
    return -1;
}

void ShiftStep(Canvas& canvas, const Ramp& ramp, int x, int y, int delta)
{
    const int index = IndexIn(ramp, canvas.AtWrapped(x, y));
    if (index < 0) return;
    canvas.Set(Wrap(x), Wrap(y), Step(ramp, index + delta));
}

// ---------------------------------------------------------------------------------------------
// Grass seen from above: a mottled green ground with tufts of blades, each lit on its upper
// left and shading the ground to its lower right, and a few tiny flowers.

Canvas Grass(const ArtKit& kit, int seed)
{
    const Ramp& grass = kit.RampOf("grass");
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float n = TiledFractal(static_cast<float>(x), static_cast<float>(y), 16, size, 3, seed);
            const float speck = HashUnit(x, y, seed + 7) < 0.08f ? -1.0f : 0.0f;
            canvas.Set(x, y, Step(grass, 2 + static_cast<int>(std::floor(n * 3.2f)) + static_cast<int>(speck)));
        }
    }
    // Blades: a dark root pixel, a body and a light tip, leaning a little either way.
    for (int blade = 0; blade < 190; ++blade) {
        const int bx = static_cast<int>(HashUnit(blade, 1, seed) * size);
        const int by = static_cast<int>(HashUnit(blade, 2, seed) * size);
        const int length = 2 + static_cast<int>(HashUnit(blade, 3, seed) * 3.0f);
        const int lean = static_cast<int>(HashUnit(blade, 4, seed) * 3.0f) - 1;
        const float tone = TiledNoise(static_cast<float>(bx), static_cast<float>(by), 16, size, seed);
        const int body = 4 + (tone > 0.55f ? 1 : 0);
        ShiftStep(canvas, grass, bx + 1, by + 1, -2);
        canvas.Set(Wrap(bx), Wrap(by), Step(grass, body - 2));
        for (int i = 1; i <= length; ++i) {
            const int x = bx + (i == length ? lean : 0);
            canvas.Set(Wrap(x), Wrap(by - i), Step(grass, i == length ? body + 2 : body));
        }
    }
    // Tiny flowers: a yellow heart and four pale petals.
    for (int flower = 0; flower < 4; ++flower) {
        const int fx = static_cast<int>(HashUnit(flower, 5, seed + 3) * size);
        const int fy = static_cast<int>(HashUnit(flower, 6, seed + 3) * size);
        const Rgba petal = flower % 2 == 0 ? kit.Colour("beard", 4) : kit.Colour("lilac", 3);
        for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
            canvas.Set(Wrap(fx + dx), Wrap(fy + dy), petal);
        canvas.Set(Wrap(fx + 1), Wrap(fy + 1), Step(grass, 1));
        canvas.Set(Wrap(fx), Wrap(fy), kit.Colour("ember", 3));
    }
    return canvas;
}

// ---------------------------------------------------------------------------------------------
// The magic circle: two rings and a hexagram in pale lilac, glowing softly into the grass.

float SegmentDistance(float px, float py, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax;
    const float dy = by - ay;
    const float t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    const float ex = px - (ax + dx * t);
    const float ey = py - (ay + dy * t);
    return std::sqrt(ex * ex + ey * ey);
}

float CircleFigureDistance(float px, float py)
{
    const float cx = 24.0f;
    const float cy = 24.0f;
    const float r = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy));
    float d = std::min(std::abs(r - 21.0f), std::abs(r - 17.5f));
    const float star = 17.5f;
    for (int triangle = 0; triangle < 2; ++triangle) {
        for (int corner = 0; corner < 3; ++corner) {
            const float a0 = -pi / 2.0f + static_cast<float>(triangle) * pi + static_cast<float>(corner) * 2.0f * pi / 3.0f;
            const float a1 = a0 + 2.0f * pi / 3.0f;
            d = std::min(d, SegmentDistance(px, py, cx + std::cos(a0) * star, cy + std::sin(a0) * star,
                                            cx + std::cos(a1) * star, cy + std::sin(a1) * star));
        }
    }
    return d;
}

Canvas MagicCircle(const ArtKit& kit)
{
    Canvas canvas = Grass(kit, 21);
    const Ramp& lilac = kit.RampOf("lilac");
    const Ramp& grass = kit.RampOf("grass");
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d = CircleFigureDistance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (d < 0.75f) canvas.Set(x, y, lilac[3]);
            else if (d < 1.25f) canvas.Set(x, y, lilac[2]);
            else if (d < 2.3f) {
                // Glow: grass nearest the lines turns pale.
                const int index = IndexIn(grass, canvas.At(x, y));
                if (index >= 0) canvas.Set(x, y, Step(grass, index + 2));
            }
        }
    }
    // Rune dots between the rings and a bright point at the centre.
    for (int i = 0; i < 6; ++i) {
        const float a = static_cast<float>(i) * pi / 3.0f;
        const int x = static_cast<int>(24.0f + std::cos(a) * 19.25f);
        const int y = static_cast<int>(24.0f + std::sin(a) * 19.25f);
        canvas.Set(x, y, lilac[4]);
        canvas.Set(x + 1, y, lilac[1]);
    }
    canvas.Set(23, 23, lilac[4]);
    canvas.Set(24, 24, lilac[4]);
    canvas.Set(23, 24, lilac[3]);
    canvas.Set(24, 23, lilac[3]);
    return canvas;
}

// ---------------------------------------------------------------------------------------------
// Stone and earth: rounded brown stones set in dark earth, lit from the upper left.

struct Stone {
    float x, y;     // centre, pixels
    float rx, ry;   // half sizes, pixels
    int tone;       // ramp step offset of this stone
    bool cracked;
    float crackSlope;   // the crack's direction, rise over run inside the stone
    float crackOffset;  // where it crosses the stone's middle, -1..1
};

std::vector<Stone> StoneLayout(int seed)
{
    std::vector<Stone> stones;
    constexpr int cells = 4;
    constexpr float cell = static_cast<float>(size) / cells;
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column) {
            const int key = row * cells + column;
            if (HashUnit(key, 1, seed) < 0.12f) continue;
            const float offset = (row % 2) * cell * 0.5f;
            Stone stone;
            stone.x = column * cell + cell * 0.5f + offset + (HashUnit(key, 2, seed) - 0.5f) * 3.0f;
            stone.y = row * cell + cell * 0.5f + (HashUnit(key, 3, seed) - 0.5f) * 2.5f;
            stone.rx = 4.4f + HashUnit(key, 4, seed) * 1.6f;
            stone.ry = 3.8f + HashUnit(key, 5, seed) * 1.5f;
            stone.tone = static_cast<int>(HashUnit(key, 6, seed) * 3.0f) - 1;
            stone.cracked = HashUnit(key, 7, seed) < 0.3f;
            stone.crackSlope = (HashUnit(key, 8, seed) - 0.5f) * 3.0f;
            stone.crackOffset = (HashUnit(key, 9, seed) - 0.5f) * 0.8f;
            stones.push_back(stone);
        }
    }
    return stones;
}

// Rounded-rectangle distance: < 1 inside; also the position inside, -1..1 each way.
float StoneShape(const Stone& stone, float px, float py, float& u, float& v)
{
    float dx = px - stone.x;
    float dy = py - stone.y;
    dx -= std::round(dx / size) * size;
    dy -= std::round(dy / size) * size;
    u = dx / stone.rx;
    v = dy / stone.ry;
    return std::pow(std::pow(std::abs(u), 3.0f) + std::pow(std::abs(v), 3.0f), 1.0f / 3.0f);
}

Canvas StoneSide(const ArtKit& kit)
{
    const Ramp& earth = kit.RampOf("earth");
    const Ramp& stoneRamp = kit.RampOf("stone");
    const std::vector<Stone> stones = StoneLayout(41);
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float n = TiledFractal(px, py, 12, size, 3, 55);
            Rgba colour = Step(earth, 1 + static_cast<int>(n * 3.4f) - (HashUnit(x, y, 9) < 0.1f ? 1 : 0));
            float nearest = 99.0f;
            for (const Stone& stone : stones) {
                float u, v;
                const float d = StoneShape(stone, px, py, u, v);
                if (d < 1.0f) {
                    const float light = -(u * 0.55f + v * 0.7f) * d * d;
                    const float grain = (HashUnit(x / 2, y / 2, 77) - 0.5f) * 0.5f +
                                        (TiledNoise(px, py, 6, size, 99) - 0.5f) * 0.6f;
                    int step = 3 + stone.tone + static_cast<int>(std::floor(light * 2.2f + grain + 0.5f));
                    if (d > 0.82f) step += (u + v < 0.0f) ? 1 : -1;
                    if (stone.cracked && std::abs(u * stone.crackSlope - v + stone.crackOffset) < 0.12f && d < 0.8f &&
                        u > -0.6f)
                        step = 1;
                    colour = Step(stoneRamp, std::clamp(step, 1, 6));
                    nearest = -1.0f;
                    break;
                }
                nearest = std::min(nearest, d);
            }
            // Crevices round the stones, deepest below and to the right.
            if (nearest >= 1.0f && nearest < 1.22f) colour = Step(earth, 0);
            canvas.Set(x, y, colour);
        }
    }
    return canvas;
}

// The top block's side: the same stonework under an overhanging band of grass.
float GrassDepth(int x)
{
    const float t = 2.0f * pi * static_cast<float>(x) / size;
    return 7.5f + 1.6f * std::sin(2.0f * t + 0.6f) + 1.1f * std::sin(5.0f * t + 1.9f) + 0.6f * std::sin(9.0f * t);
}

Canvas StoneSideWithGrass(const ArtKit& kit)
{
    Canvas canvas = StoneSide(kit);
    const Ramp& grass = kit.RampOf("grass");
    const Ramp& stone = kit.RampOf("stone");
    const Ramp& earth = kit.RampOf("earth");
    for (int x = 0; x < size; ++x) {
        const float depth = GrassDepth(x);
        const int bottom = static_cast<int>(depth);
        // Blades hanging over the edge, some longer than others.
        const int hang = HashUnit(x, 1, 61) < 0.35f ? 1 + static_cast<int>(HashUnit(x, 2, 61) * 3.5f) : 0;
        for (int y = 0; y <= bottom + hang; ++y) {
            int step;
            if (y == 0) step = 7;
            else if (y > bottom) step = 3 - (y - bottom > 1 ? 1 : 0);
            else {
                const float along = static_cast<float>(y) / depth;
                step = 6 - static_cast<int>(along * 3.2f);
                const float streak = TiledNoise(static_cast<float>(x) * 4.0f, static_cast<float>(y), 4, size * 4, 63);
                step += streak > 0.65f ? 1 : streak < 0.3f ? -1 : 0;
            }
            canvas.Set(x, y, Step(grass, step));
        }
        // The grass shades the stone and earth just below it.
        for (int y = bottom + hang + 1; y <= bottom + hang + 2; ++y) {
            ShiftStep(canvas, stone, x, y, -2);
            ShiftStep(canvas, earth, x, y, -1);
        }
    }
    return canvas;
}

// ---------------------------------------------------------------------------------------------
// The wall ring: blue-grey bricks in running bond, 16 by 8 pixels, joined by dark red mortar.

Canvas BrickWall(const ArtKit& kit)
{
    const Ramp& brick = kit.RampOf("brick");
    const Ramp& mortar = kit.RampOf("mortar");
    constexpr int brickWidth = 16;
    constexpr int brickHeight = 8;
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int row = y / brickHeight;
            const int shifted = x + (row % 2) * (brickWidth / 2);
            const int bx = shifted % brickWidth;
            const int by = y % brickHeight;
            const int index = (shifted / brickWidth) % (size / brickWidth);
            if (bx >= brickWidth - 2 || by >= brickHeight - 2) {
                const int depth = (bx == brickWidth - 1 || by == brickHeight - 1) ? 0 : 1;
                canvas.Set(x, y, Step(mortar, depth + (HashUnit(x, y, 31) < 0.25f ? 1 : 0) + 1));
                continue;
            }
            const float tone = HashUnit(index, row, 33);
            const float grain = (TiledNoise(static_cast<float>(x), static_cast<float>(y), 4, size, 35) - 0.5f) * 1.6f +
                                (HashUnit(x, y, 37) - 0.5f) * 0.8f;
            int step = 3 + static_cast<int>(std::floor(tone * 2.4f + grain * 0.9f));
            if (by == 0 || bx == 0) step += 1;
            if (by == brickHeight - 3 || bx == brickWidth - 3) step -= 1;
            // A chipped corner on some bricks.
            if (HashUnit(index, row, 39) < 0.3f && bx >= brickWidth - 5 && by <= 1) step = 1;
            canvas.Set(x, y, Step(brick, std::clamp(step, 1, 6)));
        }
    }
    return canvas;
}

// ---------------------------------------------------------------------------------------------
// Water: light blue with bright wandering ripple lines, periodic both ways so the light
// column can scroll it without a seam.

Canvas Water(const ArtKit& kit)
{
    const Ramp& water = kit.RampOf("water");
    Canvas canvas(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float fx = static_cast<float>(x) / size * 2.0f * pi;
            const float fy = static_cast<float>(y) / size * 2.0f * pi;
            const float w1 = std::sin(2.0f * fx + fy + 1.3f * std::sin(2.0f * fy));
            const float w2 = std::sin(-fx + 3.0f * fy + 0.9f * std::sin(fx + 0.5f));
            const float ridge = 1.0f - std::abs(0.5f * (w1 + w2));
            const float n = TiledFractal(static_cast<float>(x), static_cast<float>(y), 12, size, 2, 71);
            const float level = 0.22f + 0.7f * ridge * ridge * ridge + 0.22f * (n - 0.5f);
            canvas.Set(x, y, Step(water, StepIndex(water, level)));
        }
    }
    return canvas;
}

}  // namespace

Canvas DrawSurface(const ArtKit& kit, int number)
{
    switch (number) {
    case 0: return Grass(kit, 21);
    case 1: return MagicCircle(kit);
    case 2: return StoneSideWithGrass(kit);
    case 3: return StoneSide(kit);
    case 4: return BrickWall(kit);
    default: return Water(kit);
    }
}
