#include "Canvas.h"

#include <algorithm>

Canvas::Canvas(int width, int height)
    : width(std::max(width, 0)), height(std::max(height, 0)),
      pixels(static_cast<size_t>(this->width) * static_cast<size_t>(this->height))
{
}

Rgba Canvas::At(int x, int y) const
{
    if (!Contains(x, y)) return Transparent();
    return pixels[static_cast<size_t>(y) * width + x];
}

Rgba Canvas::AtWrapped(int x, int y) const
{
    if (width == 0 || height == 0) return Transparent();
    const int wx = ((x % width) + width) % width;
    const int wy = ((y % height) + height) % height;
    return pixels[static_cast<size_t>(wy) * width + wx];
}

void Canvas::Set(int x, int y, Rgba colour)
{
    if (!Contains(x, y)) return;
    pixels[static_cast<size_t>(y) * width + x] = colour;
}

void Canvas::Blend(int x, int y, Rgba colour)
{
    if (!Contains(x, y) || colour.a == 0) return;
    const Rgba below = At(x, y);
    const float top = colour.a / 255.0f;
    const float bottom = below.a / 255.0f * (1.0f - top);
    const float alpha = top + bottom;
    const auto channel = [&](uint8_t over, uint8_t under) {
        return static_cast<uint8_t>(std::clamp((over * top + under * bottom) / alpha + 0.5f, 0.0f, 255.0f));
    };
    Set(x, y,
        {channel(colour.r, below.r), channel(colour.g, below.g), channel(colour.b, below.b),
         static_cast<uint8_t>(std::clamp(alpha * 255.0f + 0.5f, 0.0f, 255.0f))});
}

void Canvas::Fill(Rgba colour)
{
    std::fill(pixels.begin(), pixels.end(), colour);
}

void Canvas::Paste(const Canvas& source, int x, int y)
{
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) Set(x + sx, y + sy, source.At(sx, sy));
    }
}

void Canvas::Composite(const Canvas& source, int x, int y)
{
    for (int sy = 0; sy < source.Height(); ++sy) {
        for (int sx = 0; sx < source.Width(); ++sx) Blend(x + sx, y + sy, source.At(sx, sy));
    }
}

Canvas Canvas::Crop(int x, int y, int cropWidth, int cropHeight) const
{
    Canvas result(cropWidth, cropHeight);
    for (int cy = 0; cy < cropHeight; ++cy) {
        for (int cx = 0; cx < cropWidth; ++cx) result.Set(cx, cy, At(x + cx, y + cy));
    }
    return result;
}

Canvas Canvas::Enlarged(int factor) const
{
    Canvas result(width * factor, height * factor);
    for (int y = 0; y < result.Height(); ++y) {
        for (int x = 0; x < result.Width(); ++x) result.Set(x, y, At(x / factor, y / factor));
    }
    return result;
}

Canvas Canvas::MirroredHorizontally() const
{
    Canvas result(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) result.Set(width - 1 - x, y, At(x, y));
    }
    return result;
}
