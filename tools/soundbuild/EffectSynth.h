#pragma once
#include "SoundRecipe.h"

#include <cstdint>
#include <vector>

// Renders a sound recipe: every layer's oscillator or noise, shaped by its envelope and filter,
// summed, brought to the recipe's peak, faded in and out over a few milliseconds so the sound
// neither starts nor stops with a click, and rounded to 16-bit samples. Deterministic: the same
// recipe gives the same samples on every machine with IEEE doubles.
std::vector<int16_t> RenderSound(const SoundRecipe& recipe);

// The raw sum of one layer before normalisation (for tests of the building blocks).
std::vector<double> RenderLayer(const Layer& layer, int rate, size_t frames);

constexpr double FadeInSeconds  = 0.003;
constexpr double FadeOutSeconds = 0.015;
