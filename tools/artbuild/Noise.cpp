#include "Noise.h"

#include <cmath>

uint32_t HashPoint(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 static_cast<uint32_t>(seed) * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

float HashUnit(int x, int y, int seed)
{
    return static_cast<float>(HashPoint(x, y, seed) >> 8) / 16777216.0f;
}

namespace {

float Smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

int Wrap(int value, int period)
{
    return ((value % period) + period) % period;
}

}  // namespace

float TiledNoise(float x, float y, int cell, int period, int seed)
{
    const int cells = period / cell;
    const float fx = x / static_cast<float>(cell);
    const float fy = y / static_cast<float>(cell);
    const int ix = static_cast<int>(std::floor(fx));
    const int iy = static_cast<int>(std::floor(fy));
    const float tx = Smooth(fx - static_cast<float>(ix));
    const float ty = Smooth(fy - static_cast<float>(iy));
    const auto corner = [&](int cx, int cy) { return HashUnit(Wrap(cx, cells), Wrap(cy, cells), seed); };
    const float top = corner(ix, iy) + (corner(ix + 1, iy) - corner(ix, iy)) * tx;
    const float bottom = corner(ix, iy + 1) + (corner(ix + 1, iy + 1) - corner(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

float TiledFractal(float x, float y, int cell, int period, int octaves, int seed)
{
    float sum = 0.0f;
    float weight = 1.0f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves && cell >= 1; ++octave) {
        sum += TiledNoise(x, y, cell, period, seed + octave * 101) * weight;
        total += weight;
        weight *= 0.5f;
        cell /= 2;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

float BayerOffset(int x, int y)
{
    static constexpr int matrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (static_cast<float>(matrix[y & 3][x & 3]) + 0.5f) / 16.0f - 0.5f;
}
