// The small 16x16 pictures: the magic shot, the three frames of the smoke burst left by a slain
// enemy, the puff where a shot hits a wall, and the ring drawn around the held item's icon.
// The shot and the ring have soft alpha edges; the game blends them.

#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtBook.h"
#include "Paint.h"

namespace {

Vec2 P(float x, float y) { return {x, y}; }

Rgba WithAlpha(Rgba colour, float alpha)
{
    colour.a = static_cast<uint8_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f + 0.5f);
    return colour;
}

float Distance(float x, float y, Vec2 centre)
{
    return std::sqrt((x - centre.x) * (x - centre.x) + (y - centre.y) * (y - centre.y));
}

// A soft cloud: the blobs melt into one body (a metaball field), lit from the upper left by the
// slope of that field, so it reads as billowing smoke rather than a heap of separate stones.
struct Blob {
    Vec2 centre;
    float radius;
};

// Each blob adds a bump that dies out at 1.5 times its radius; a lone blob's edge (the
// threshold) lies exactly at its radius, and neighbours merge only where they nearly touch.
constexpr float reach = 1.5f;
const float threshold = (1.0f - 1.0f / (reach * reach)) * (1.0f - 1.0f / (reach * reach));

float CloudField(const std::vector<Blob>& blobs, float x, float y)
{
    float field = 0.0f;
    for (const Blob& blob : blobs) {
        const float dx = x - blob.centre.x;
        const float dy = y - blob.centre.y;
        const float falloff = 1.0f - (dx * dx + dy * dy) / (blob.radius * blob.radius * reach * reach);
        if (falloff > 0.0f) field += falloff * falloff;
    }
    return field / threshold;
}

// Sampled 4x4 times per pixel: the coverage becomes a soft alpha edge, and the averaged light
// picks the nearest step of the ramp, so the cloud keeps the palette but loses hard corners.
Canvas Cloud(const ArtKit& kit, const std::vector<Blob>& blobs, const char* rampName, float bias, float opacity)
{
    constexpr int samples = 4;
    const Ramp& ramp = kit.RampOf(rampName);
    const int last = static_cast<int>(ramp.size()) - 1;
    Canvas picture(sparkSize, sparkSize);
    for (int y = 0; y < sparkSize; ++y) {
        for (int x = 0; x < sparkSize; ++x) {
            int covered = 0;
            float levelSum = 0.0f;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / samples;
                    const float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / samples;
                    if (CloudField(blobs, px, py) < 1.0f) continue;
                    // Lit as the nearest lump, a ball of smoke, flattened a little so the
                    // lumps' shading runs together.
                    const Blob* lump = &blobs.front();
                    float nearest = 1e9f;
                    for (const Blob& blob : blobs) {
                        const float d = std::hypot(px - blob.centre.x, py - blob.centre.y) / blob.radius;
                        if (d < nearest) {
                            nearest = d;
                            lump = &blob;
                        }
                    }
                    const float nx = std::clamp((px - lump->centre.x) / (lump->radius * reach), -1.0f, 1.0f);
                    const float ny = std::clamp((py - lump->centre.y) / (lump->radius * reach), -1.0f, 1.0f);
                    const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny)) + 0.35f;
                    const float light = (-0.53f * nx - 0.68f * ny + 0.53f * nz) / std::sqrt(nx * nx + ny * ny + nz * nz);
                    levelSum += 0.2f + 0.85f * std::max(light, 0.0f) + bias;
                    ++covered;
                }
            }
            if (covered == 0) continue;
            const float level = levelSum / static_cast<float>(covered);
            const int step = std::clamp(static_cast<int>(std::floor(level * static_cast<float>(last) + 0.5f)), 1, last);
            const float coverage = static_cast<float>(covered) / (samples * samples);
            picture.Set(x, y, WithAlpha(ramp[static_cast<size_t>(step)], opacity * std::min(1.0f, coverage * 1.3f)));
        }
    }
    return picture;
}

}  // namespace

Canvas DrawMagicShot(const ArtKit& kit)
{
    const Ramp& shot = kit.RampOf("shot");
    const Vec2 centre{8.0f, 8.0f};
    Canvas picture(sparkSize, sparkSize);
    for (int y = 0; y < sparkSize; ++y) {
        for (int x = 0; x < sparkSize; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float d = Distance(px, py, centre);
            const float lit = Distance(px, py, P(7.0f, 7.0f));
            if (lit < 2.0f) picture.Set(x, y, shot[5]);
            else if (d < 3.4f) picture.Set(x, y, shot[4]);
            else if (d < 4.8f) picture.Set(x, y, shot[3]);
            else if (d < 6.0f) picture.Set(x, y, WithAlpha(shot[2], 0.9f));
            else if (d < 8.0f) picture.Set(x, y, WithAlpha(shot[2], std::pow(1.0f - (d - 6.0f) / 2.0f, 1.5f) * 0.55f));
        }
    }
    for (int i = 5; i <= 7; ++i) {
        const float fade = 1.0f - static_cast<float>(i - 4) * 0.25f;
        for (const auto& [x, y] : {std::pair{8 + i - 1, 7}, std::pair{8 - i, 7}, std::pair{7, 8 + i - 1}, std::pair{7, 8 - i}})
            picture.Blend(x, y, WithAlpha(shot[4], fade));
    }
    return picture;
}

Canvas DrawSmoke(const ArtKit& kit, int frame)
{
    if (frame == 0) {
        // The burst: an orange fireball with the first smoke curling round it.
        Canvas smoke = Cloud(kit, {{P(4.5f, 6.0f), 3.0f}, {P(11.5f, 5.5f), 2.8f}, {P(4.5f, 11.0f), 2.8f},
                                   {P(11.5f, 11.0f), 3.0f}, {P(8.0f, 3.8f), 2.4f}},
                             "smoke", 0.15f, 1.0f);
        const Canvas fire = Cloud(kit, {{P(8.0f, 8.5f), 3.8f}, {P(6.5f, 7.0f), 2.4f}, {P(9.8f, 7.2f), 2.2f}}, "flash", 0.55f, 1.0f);
        smoke.Composite(fire, 0, 0);
        return smoke;
    }
    if (frame == 1) {
        Canvas smoke = Cloud(kit, {{P(4.3f, 10.0f), 3.1f}, {P(11.7f, 10.0f), 3.1f}, {P(8.0f, 6.2f), 3.6f},
                                   {P(8.0f, 11.2f), 3.0f}, {P(4.8f, 5.8f), 2.3f}, {P(11.2f, 5.4f), 2.3f}},
                             "smoke", 0.15f, 0.92f);
        smoke.Set(8, 9, kit.Colour("flash", 3));
        smoke.Set(7, 10, kit.Colour("flash", 2));
        smoke.Set(9, 10, kit.Colour("flash", 2));
        return smoke;
    }
    // Breaking up and thinning: loose wisps that let the scene through.
    return Cloud(kit, {{P(4.0f, 4.5f), 2.6f}, {P(11.8f, 4.2f), 2.3f}, {P(3.6f, 11.8f), 2.4f}, {P(12.2f, 11.6f), 2.8f},
                       {P(8.0f, 8.2f), 2.0f}, {P(6.0f, 6.5f), 1.4f}},
                 "smoke", 0.3f, 0.72f);
}

Canvas DrawPuff(const ArtKit& kit)
{
    Canvas picture = Cloud(kit, {{P(6.5f, 9.0f), 2.2f}, {P(10.0f, 8.5f), 2.0f}, {P(8.0f, 6.0f), 2.0f}}, "smoke", 0.3f, 1.0f);
    Glint(picture, 12, 3, 1, kit.Colour("shot", 5), kit.Colour("shot", 3));
    return picture;
}

Canvas DrawItemRing(const ArtKit& kit)
{
    // A thin golden ring, antialiased by 4x4 supersampling so it stays smooth when the HUD
    // scales it up to two and a half times its size; lighter on the lit upper left.
    constexpr int samples = 4;
    const Vec2 centre{8.0f, 8.0f};
    Canvas picture(sparkSize, sparkSize);
    for (int y = 0; y < sparkSize; ++y) {
        for (int x = 0; x < sparkSize; ++x) {
            int inside = 0;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const float px = static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / samples;
                    const float py = static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / samples;
                    const float d = Distance(px, py, centre);
                    if (d >= 5.6f && d <= 7.4f) ++inside;
                }
            }
            if (inside == 0) continue;
            const float px = static_cast<float>(x) + 0.5f - centre.x;
            const float py = static_cast<float>(y) + 0.5f - centre.y;
            const bool lit = px + py < 0.0f;
            const Rgba colour = lit ? kit.Colour("gold", 5) : kit.Colour("gold", 3);
            picture.Set(x, y, WithAlpha(colour, static_cast<float>(inside) / (samples * samples)));
        }
    }
    return picture;
}
