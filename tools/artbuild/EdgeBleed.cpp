#include "EdgeBleed.h"

#include <vector>

void BleedTransparentEdges(Canvas& canvas, int left, int top, int width, int height)
{
    const auto index = [&](int x, int y) { return static_cast<size_t>(y - top) * width + (x - left); };
    std::vector<bool> known(static_cast<size_t>(width) * height);
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) known[index(x, y)] = canvas.At(x, y).a > 0;
    }
    bool grew = true;
    while (grew) {
        grew = false;
        std::vector<std::pair<std::pair<int, int>, Rgba>> ring;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                if (known[index(x, y)]) continue;
                int r = 0, g = 0, b = 0, count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx < left || ny < top || nx >= left + width || ny >= top + height) continue;
                        if (!known[index(nx, ny)]) continue;
                        const Rgba c = canvas.At(nx, ny);
                        r += c.r;
                        g += c.g;
                        b += c.b;
                        ++count;
                    }
                }
                if (count == 0) continue;
                const auto average = [count](int sum) { return static_cast<uint8_t>((sum + count / 2) / count); };
                ring.push_back({{x, y}, Rgba{average(r), average(g), average(b), 0}});
            }
        }
        for (const auto& [where, colour] : ring) {
            canvas.Set(where.first, where.second, colour);
            known[index(where.first, where.second)] = true;
            grew = true;
        }
    }
}
