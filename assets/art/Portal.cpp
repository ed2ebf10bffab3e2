// The exit: a standing oval of violet light whose arms swirl around a white-hot heart, ringed
// by a cyan rim and sparks. The three frames breathe (small, middle, large) while the swirl
// turns, which reads well in the back-and-forth order the game plays them.

#include <algorithm>
#include <cmath>

#include "ArtBook.h"
#include "Noise.h"
#include "Paint.h"

namespace {

constexpr float pi = 3.14159265f;
constexpr float centreX = 24.0f;
constexpr float centreY = 24.5f;

Rgba RampStep(const Ramp& ramp, float level)
{
    const int last = static_cast<int>(ramp.size()) - 1;
    return ramp[static_cast<size_t>(std::clamp(static_cast<int>(std::floor(level * last + 0.5f)), 0, last))];
}

}  // namespace

Canvas DrawPortal(const ArtKit& kit, int frame)
{
    static const float sizes[] = {0.94f, 1.0f, 1.05f};
    const float radiusX = 14.5f * sizes[frame];
    const float radiusY = 20.5f * sizes[frame];
    const float turn = static_cast<float>(frame) * 0.7f;
    const Ramp& violet = kit.RampOf("portal");
    const Ramp& cyan = kit.RampOf("portalcyan");

    Canvas picture(creatureSize, creatureSize);
    for (int y = 0; y < creatureSize; ++y) {
        for (int x = 0; x < creatureSize; ++x) {
            const float u = (static_cast<float>(x) + 0.5f - centreX) / radiusX;
            const float v = (static_cast<float>(y) + 0.5f - centreY) / radiusY;
            const float r = std::sqrt(u * u + v * v);
            if (r > 1.0f) continue;
            const float angle = std::atan2(v, u);
            if (r > 0.86f) {
                // The rim: bright cyan, brightest toward the light, with a darker outer edge.
                const float lit = 0.55f + 0.3f * std::cos(angle + 2.3f) + (r > 0.95f ? -0.35f : 0.1f);
                picture.Set(x, y, RampStep(cyan, lit));
                continue;
            }
            if (r > 0.8f) {
                // Just inside the rim the light spills inward, a thin pale ring.
                picture.Set(x, y, RampStep(violet, 0.72f + 0.15f * std::cos(angle + 2.3f)));
                continue;
            }
            // Three swirl arms winding in toward the heart, each with a bright leading edge.
            const float phase = 3.0f * angle + 9.0f * r - turn * 3.0f;
            const float arms = std::sin(phase);
            const float edge = std::max(0.0f, std::sin(phase + 0.9f)) * (arms > 0.2f ? 1.0f : 0.0f);
            const float heart = std::max(0.0f, 1.0f - r / 0.42f);
            float level = 0.3f + 0.25f * arms * (0.4f + r) + 0.2f * edge + 0.75f * heart * heart;
            level += BayerOffset(x, y) * 0.06f;
            picture.Set(x, y, heart > 0.55f ? RampStep(cyan, 0.6f + heart * 0.5f) : RampStep(violet, level));
        }
    }
    // Sparks thrown off the rim, somewhere else every frame.
    for (int spark = 0; spark < 5; ++spark) {
        const float angle = (static_cast<float>(spark) / 5.0f) * 2.0f * pi + turn + HashUnit(spark, frame, 3) * 0.8f;
        const float out = 1.08f + HashUnit(spark, frame, 4) * 0.12f;
        const int x = static_cast<int>(centreX + std::cos(angle) * radiusX * out);
        const int y = static_cast<int>(centreY + std::sin(angle) * radiusY * out);
        if (spark % 2 == 0) Glint(picture, x, y, 1, cyan.back(), cyan[3]);
        else picture.Set(x, y, cyan[4]);
    }
    return WithHalo(picture, Vec2{centreX, centreY}, {radiusX + 5.0f, radiusY + 5.0f}, cyan[3], 0.6f);
}
