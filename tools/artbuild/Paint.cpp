#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void Line(Canvas& canvas, int x0, int y0, int x1, int y1, Rgba colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        canvas.Set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

Canvas WithHalo(const Canvas& picture, Vec2 centre, Vec2 radii, Rgba colour, float peak)
{
    Canvas result(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const float u = (static_cast<float>(x) + 0.5f - centre.x) / radii.x;
            const float v = (static_cast<float>(y) + 0.5f - centre.y) / radii.y;
            const float falloff = std::max(0.0f, 1.0f - std::sqrt(u * u + v * v));
            const float alpha = peak * falloff * falloff;
            if (alpha <= 0.0f) continue;
            Rgba glow = colour;
            glow.a = static_cast<uint8_t>(std::clamp(alpha * 255.0f + 0.5f, 0.0f, 255.0f));
            result.Set(x, y, glow);
        }
    }
    result.Composite(picture, 0, 0);
    return result;
}

void Glint(Canvas& canvas, int x, int y, int arm, Rgba core, Rgba arms)
{
    for (int i = 1; i <= arm; ++i) {
        canvas.Set(x + i, y, arms);
        canvas.Set(x - i, y, arms);
        canvas.Set(x, y + i, arms);
        canvas.Set(x, y - i, arms);
    }
    canvas.Set(x, y, core);
}

void Brighten(Canvas& canvas, Vec2 centre, float radius, Rgba colour, float strength)
{
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgba pixel = canvas.At(x, y);
            if (pixel.a == 0) continue;
            const float dx = static_cast<float>(x) + 0.5f - centre.x;
            const float dy = static_cast<float>(y) + 0.5f - centre.y;
            const float falloff = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy) / radius);
            if (falloff <= 0.0f) continue;
            const float t = strength * falloff;
            const auto add = [t](uint8_t base, uint8_t light) {
                return static_cast<uint8_t>(std::min(255.0f, static_cast<float>(base) + light * t));
            };
            pixel = {add(pixel.r, colour.r), add(pixel.g, colour.g), add(pixel.b, colour.b), pixel.a};
            canvas.Set(x, y, pixel);
        }
    }
}
