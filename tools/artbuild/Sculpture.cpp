#include "Sculpture.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace {

using Normal = std::array<float, 3>;

// Toward the light: left, up and out of the picture.
constexpr Normal lightDirection = {-0.5316f, -0.6766f, 0.5316f};

constexpr int neighbours4[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

Normal Normalised(Normal n)
{
    const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (length <= 0.0f) return {0.0f, 0.0f, 1.0f};
    return {n[0] / length, n[1] / length, n[2] / length};
}

float Dome(float u, float v)
{
    return std::sqrt(std::max(0.0f, 1.0f - u * u - v * v));
}

struct Segment {
    Vec2 a;
    Vec2 b;
    float ra;
    float rb;
};

// Distance from p to the segment's axis divided by the local radius (< 1 inside), and the
// normal there.
std::optional<std::pair<float, Normal>> SegmentHit(const Segment& s, float x, float y)
{
    const float abx = s.b.x - s.a.x;
    const float aby = s.b.y - s.a.y;
    const float lengthSquared = abx * abx + aby * aby;
    float t = 0.0f;
    if (lengthSquared > 0.0f) t = std::clamp(((x - s.a.x) * abx + (y - s.a.y) * aby) / lengthSquared, 0.0f, 1.0f);
    const float radius = s.ra + (s.rb - s.ra) * t;
    if (radius <= 0.0f) return std::nullopt;
    const float dx = (x - (s.a.x + abx * t)) / radius;
    const float dy = (y - (s.a.y + aby * t)) / radius;
    const float ratio = std::sqrt(dx * dx + dy * dy);
    if (ratio > 1.0f) return std::nullopt;
    return std::make_pair(ratio, Normal{dx, dy, Dome(dx, dy)});
}

bool InsidePolygon(const std::vector<Vec2>& points, float x, float y)
{
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec2& p = points[i];
        const Vec2& q = points[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    }
    return inside;
}

}  // namespace

Sculpture::Sculpture(int width, int height, Rgba outlineColour)
    : width(width), height(height), outlineColour(outlineColour)
{
}

int Sculpture::Add(Coverage coverage, const Look& look)
{
    const int index = static_cast<int>(shapes.size());
    shapes.push_back({std::move(coverage), look, look.group >= 0 ? look.group : 1000 + index});
    return index;
}

int Sculpture::Ellipse(Vec2 centre, Vec2 radii, const Look& look, float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return Add(
        [=](float x, float y) -> std::optional<Normal> {
            const float dx = x - centre.x;
            const float dy = y - centre.y;
            const float u = (dx * c + dy * s) / radii.x;
            const float v = (-dx * s + dy * c) / radii.y;
            if (u * u + v * v > 1.0f) return std::nullopt;
            return Normal{u * c - v * s, u * s + v * c, Dome(u, v)};
        },
        look);
}

int Sculpture::Capsule(Vec2 a, Vec2 b, float ra, float rb, const Look& look)
{
    const Segment segment{a, b, ra, rb};
    return Add(
        [=](float x, float y) -> std::optional<Normal> {
            const auto hit = SegmentHit(segment, x, y);
            if (!hit) return std::nullopt;
            return hit->second;
        },
        look);
}

int Sculpture::Stroke(const std::vector<Vec2>& points, const std::vector<float>& radii, const Look& look)
{
    std::vector<Segment> segments;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const float ra = radii[std::min(i, radii.size() - 1)];
        const float rb = radii[std::min(i + 1, radii.size() - 1)];
        segments.push_back({points[i], points[i + 1], ra, rb});
    }
    return Add(
        [segments](float x, float y) -> std::optional<Normal> {
            std::optional<std::pair<float, Normal>> best;
            for (const Segment& segment : segments) {
                const auto hit = SegmentHit(segment, x, y);
                if (hit && (!best || hit->first < best->first)) best = hit;
            }
            if (!best) return std::nullopt;
            return best->second;
        },
        look);
}

int Sculpture::Polygon(const std::vector<Vec2>& points, const Look& look)
{
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (const Vec2& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const float cx = (left + right) * 0.5f;
    const float cy = (top + bottom) * 0.5f;
    const float hw = std::max((right - left) * 0.5f, 0.5f);
    const float hh = std::max((bottom - top) * 0.5f, 0.5f);
    return Add(
        [=](float x, float y) -> std::optional<Normal> {
            if (!InsidePolygon(points, x, y)) return std::nullopt;
            float u = (x - cx) / hw;
            float v = (y - cy) / hh;
            const float length = std::sqrt(u * u + v * v);
            if (length > 0.999f) {
                u *= 0.999f / length;
                v *= 0.999f / length;
            }
            return Normal{u, v, Dome(u, v)};
        },
        look);
}

int Sculpture::Box(float left, float top, float right, float bottom, const Look& look)
{
    return Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, look);
}

float Sculpture::LightLevel(const Shape& shape, const Normal& normal, int x, int y) const
{
    const Look& look = shape.look;
    const float r = look.roundness;
    const Normal n = Normalised({normal[0] * r, normal[1] * r, 1.0f - r + r * normal[2]});
    float level;
    if (look.emissive) {
        level = 0.3f + 0.7f * n[2] + look.bias;
    } else {
        const float diffuse =
            std::max(0.0f, n[0] * lightDirection[0] + n[1] * lightDirection[1] + n[2] * lightDirection[2]);
        level = 0.12f + 0.92f * diffuse + look.bias;
    }
    if (look.grain > 0.0f) {
        const int gx = static_cast<int>(std::floor(static_cast<float>(x) / look.grainScale));
        const int gy = static_cast<int>(std::floor(static_cast<float>(y) / look.grainScale));
        level += (HashUnit(gx, gy, look.grainSeed) - 0.5f) * look.grain;
    }
    return level;
}

std::vector<Sculpture::Cell> Sculpture::Rasterise() const
{
    std::vector<Cell> cells(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t index = 0; index < shapes.size(); ++index) {
        const Shape& shape = shapes[index];
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Cell& cell = cells[static_cast<size_t>(y) * width + x];
                if (shape.look.clipGroup >= 0 &&
                    (cell.shape < 0 || shapes[static_cast<size_t>(cell.shape)].group != shape.look.clipGroup))
                    continue;
                const auto normal = shape.coverage(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
                if (!normal) continue;
                if (shape.look.erase) {
                    cell = Cell{};
                    continue;
                }
                const bool inherit = shape.look.keepLight && cell.shape >= 0;
                cell.level = inherit ? cell.level : LightLevel(shape, *normal, x, y);
                cell.shape = static_cast<int>(index);
            }
        }
    }
    return cells;
}

int Sculpture::ShapeAt(const std::vector<Cell>& cells, int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    return cells[static_cast<size_t>(y) * width + x].shape;
}

void Sculpture::RenderInto(Canvas& target, int originX, int originY) const
{
    const std::vector<Cell> cells = Rasterise();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Cell& cell = cells[static_cast<size_t>(y) * width + x];
            if (cell.shape < 0) {
                // The outline: an empty pixel beside an outlined shape.
                for (const auto& d : neighbours4) {
                    const int next = ShapeAt(cells, x + d[0], y + d[1]);
                    if (next < 0 || !shapes[static_cast<size_t>(next)].look.outline) continue;
                    const Look& look = shapes[static_cast<size_t>(next)].look;
                    target.Set(originX + x, originY + y, look.outlineColour.value_or(outlineColour));
                    break;
                }
                continue;
            }
            const Shape& shape = shapes[static_cast<size_t>(cell.shape)];
            const Ramp& ramp = *shape.look.ramp;
            const int steps = static_cast<int>(ramp.size());
            int step = 0;
            if (steps >= 3) {
                const float offset = shape.look.dither ? BayerOffset(x, y) + 0.5f : 0.5f;
                step = 1 + static_cast<int>(std::floor(cell.level * static_cast<float>(steps - 2) + offset));
                step = std::clamp(step, 1, steps - 1);
            } else if (steps == 2) {
                step = 1;
            }
            // Shadow thrown by a part standing in front, up and to the left of this pixel.
            for (int d = 1; d <= 2; ++d) {
                const int caster = ShapeAt(cells, x - d, y - d);
                if (caster <= cell.shape) continue;
                const Shape& front = shapes[static_cast<size_t>(caster)];
                if (front.group == shape.group || front.look.shadow < d) continue;
                step = std::max(step - 1, 0);
                break;
            }
            if (shape.look.contour) {
                for (const auto& d : neighbours4) {
                    const int next = ShapeAt(cells, x + d[0], y + d[1]);
                    if (next < 0 || next >= cell.shape) continue;
                    if (shapes[static_cast<size_t>(next)].group == shape.group) continue;
                    step = 0;
                    break;
                }
            }
            target.Set(originX + x, originY + y, ramp[static_cast<size_t>(step)]);
        }
    }
}

Canvas Sculpture::Render() const
{
    Canvas canvas(width, height);
    RenderInto(canvas, 0, 0);
    return canvas;
}
