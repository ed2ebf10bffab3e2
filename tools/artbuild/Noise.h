#pragma once
#include <cstdint>

// Deterministic pseudo-random numbers keyed by position: the same source always gives the same
// picture, on every machine.
uint32_t HashPoint(int x, int y, int seed);
// 0 <= result < 1.
float HashUnit(int x, int y, int seed);

// Smooth value noise on a lattice of `cell`-pixel squares that repeats every `period` pixels
// (period must be a multiple of cell), so a surface built from it tiles without a seam. 0..1.
float TiledNoise(float x, float y, int cell, int period, int seed);
// Several octaves of TiledNoise, each half the cell size and half the weight. 0..1.
float TiledFractal(float x, float y, int cell, int period, int octaves, int seed);

// 4x4 ordered-dither threshold in -0.5 .. 0.5 for a pixel.
float BayerOffset(int x, int y);
