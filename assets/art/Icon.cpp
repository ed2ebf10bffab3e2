// The game's icon: the wizard's tall blue hat with its gold band and star, set on a violet disc
// of night sky with a few stars. Each size is drawn for itself on the same 32-unit plan: at 16
// pixels a bold silhouette of disc, hat and band; from 24 the hat's star and two sky stars; at
// 32 the window icon as the game has always shown it; from 48 the hat's star is a shape and the
// sky's glints grow longer arms, more stars come out as the picture grows, and from 128 the
// stars are soft sparkles and the hat is embroidered with small gold ones.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ArtBook.h"
#include "Paint.h"

namespace {

constexpr int plan = 32;   // units across the plan every size is drawn from

// A star of the sky in plan units, drawn from the given icon size up.
struct SkyStar {
    float x, y;
    float arm;          // plan units from the centre to a point's tip
    int fromSize;       // pixels
    const char* ramp;   // crystal (cool) or gold (warm)
};

constexpr SkyStar skyStars[] = {
    {6.0f, 9.0f, 1.6f, 24, "crystal"},  {26.0f, 12.0f, 1.6f, 24, "gold"},
    {9.0f, 4.0f, 0.7f, 32, "crystal"},  {27.0f, 6.0f, 0.7f, 32, "crystal"},
    {4.5f, 16.5f, 0.9f, 64, "gold"},    {28.5f, 17.5f, 0.8f, 64, "crystal"},
    {12.0f, 6.5f, 0.5f, 128, "gold"},   {23.5f, 18.5f, 0.5f, 128, "crystal"},
    {7.5f, 20.5f, 0.6f, 128, "crystal"}, {14.5f, 2.6f, 0.45f, 128, "crystal"},
};

// Points on the hat where the embroidery sits, in plan units.
constexpr Vec2 embroidery[] = {{13.2f, 17.3f}, {19.6f, 9.0f}, {20.2f, 16.4f}, {17.8f, 5.4f}};

struct Plan {
    float scale;   // pixels per plan unit
    Vec2 operator()(float x, float y) const { return {x * scale, y * scale}; }
};

std::vector<Vec2> FivePointedStar(Vec2 centre, float outer, float inner)
{
    std::vector<Vec2> points;
    for (int i = 0; i < 10; ++i) {
        const float angle = static_cast<float>(i) * std::numbers::pi_v<float> / 5.0f - std::numbers::pi_v<float> / 2.0f;
        const float radius = i % 2 == 0 ? outer : inner;
        points.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return points;
}

// A four-pointed sparkle, smooth-edged: bright core, points fading to the tips.
void Sparkle(Canvas& canvas, Vec2 centre, float arm, Rgba core, Rgba tips)
{
    const int reach = static_cast<int>(std::ceil(arm)) + 1;
    for (int y = static_cast<int>(centre.y) - reach; y <= static_cast<int>(centre.y) + reach; ++y) {
        for (int x = static_cast<int>(centre.x) - reach; x <= static_cast<int>(centre.x) + reach; ++x) {
            const float dx = std::abs(static_cast<float>(x) + 0.5f - centre.x) / arm;
            const float dy = std::abs(static_cast<float>(y) + 0.5f - centre.y) / arm;
            // Inside the astroid |x|^1/2 + |y|^1/2 < 1, with a soft rim one pixel wide.
            const float shape = 1.0f - (std::sqrt(dx) + std::sqrt(dy));
            const float alpha = std::clamp(shape * arm * 0.5f, 0.0f, 1.0f);
            if (alpha <= 0.0f) continue;
            Rgba colour = Mix(tips, core, std::clamp(shape * 1.6f, 0.0f, 1.0f));
            colour.a = static_cast<uint8_t>(alpha * 255.0f);
            canvas.Blend(x, y, colour);
        }
    }
}

void PaintSkyStars(Canvas& picture, const ArtKit& kit, int size, Plan at)
{
    for (const SkyStar& star : skyStars) {
        if (size < star.fromSize) continue;
        if (size >= 128) {
            Sparkle(picture, at(star.x + 0.5f, star.y + 0.5f), star.arm * at.scale, kit.Colour(star.ramp, 5),
                    kit.Colour(star.ramp, 3));
            continue;
        }
        // Pixel stars: a glint with arms of whole pixels, or one bright point for the faint ones.
        const int x = static_cast<int>(star.x * at.scale), y = static_cast<int>(star.y * at.scale);
        const int arm = size <= plan ? (star.arm >= 1.0f ? 1 : 0) : static_cast<int>(std::lround(star.arm * at.scale * 0.75f));
        if (arm > 0) Glint(picture, x, y, arm, kit.Colour(star.ramp, 5), kit.Colour(star.ramp, 3));
        else picture.Set(x, y, kit.Colour(star.ramp, 4));
    }
}

}  // namespace

Canvas DrawGameIcon(const ArtKit& kit, int size)
{
    const Plan at{static_cast<float>(size) / plan};
    const bool silhouette = size < 24;
    Sculpture s = kit.NewSculpture(size, size);

    Look sky = kit.Material("portal");
    sky.emissive = true;
    sky.bias = silhouette ? -0.45f : -0.35f;
    sky.contour = false;
    sky.shadow = 0;
    s.Circle(at(16, 16), 15.0f * at.scale, sky);

    Look hat = kit.Material("hatblue");
    hat.roundness = 0.8f;
    hat.group = 2;
    hat.shadow = size >= 64 ? 2 : 1;
    s.Polygon({at(8.5f, 24), at(12, 15), at(15, 8), at(18.5f, 3.5f), at(25, 2.5f), at(21.5f, 6), at(21, 14),
               at(23.5f, 24)}, hat);
    Look band = ClippedTo(kit.Material("gold"), 2);
    band.roundness = 0.7f;
    s.Box(0, 19.0f * at.scale, static_cast<float>(size), 22.0f * at.scale, band);
    if (size >= 48) {
        s.Polygon(FivePointedStar(at(16.5f, 13.5f), 2.7f * at.scale, 1.15f * at.scale), ClippedTo(kit.Material("gold"), 2));
    }
    if (size >= 128) {
        for (const Vec2& point : embroidery) {
            Look stitch = ClippedTo(kit.Material("gold"), 2);
            stitch.bias = -0.15f;
            s.Polygon(FivePointedStar(at(point.x, point.y), 0.75f * at.scale, 0.32f * at.scale), stitch);
        }
    }
    Look brim = kit.Material("hatblue");
    brim.bias = 0.05f;
    brim.shadow = hat.shadow;
    s.Ellipse(at(16, 24.5f), at(13.5f, 3.6f), brim);

    Canvas picture = s.Render();
    if (size >= 24 && size < 48) {
        const int x = static_cast<int>(std::lround(16.0f * at.scale)) - 2, y = static_cast<int>(std::lround(13.0f * at.scale)) - 2;
        kit.Stamp(picture, "hat-star", x, y);
    }
    PaintSkyStars(picture, kit, size, at);
    return picture;
}
