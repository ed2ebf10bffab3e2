#pragma once
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "Canvas.h"
#include "Palette.h"

struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;
};

// How one shape is shaded. The light comes from the top left and a little from the front, the
// same for every picture in the game, so all of them read as one set.
struct Look {
    const Ramp* ramp = nullptr;   // material colours, dark to light; step 0 is kept for lines
    float roundness = 1.0f;       // 0 a flat face toward the viewer .. 1 a full round profile
    float bias = 0.0f;            // added to the light level (about -1 .. 1)
    float grain = 0.0f;           // amplitude of random per-pixel light jitter
    int grainSeed = 0;            // which jitter pattern
    float grainScale = 1.0f;      // pixels per jitter cell
    int group = -1;               // shapes sharing a group draw no lines between them (-1: its own)
    bool contour = true;          // a dark line where the shape lies over another group
    int shadow = 1;               // pixels of shadow thrown down-right onto lower groups (0..2)
    bool outline = true;          // takes part in the dark outline around the silhouette
    bool emissive = false;        // glows: brightest in the middle, ignores the light direction
    bool dither = false;          // ordered dither between ramp steps instead of hard bands
    int clipGroup = -1;           // >= 0: paints only over pixels already holding that group
    bool keepLight = false;       // keeps the light level of what is below (paint on a surface)
    bool erase = false;           // cuts the shape out of what is below
    std::optional<Rgba> outlineColour;  // replaces the picture's outline colour next to it
};

// A look that paints only over the shapes of `group` (a pattern on a robe, a label on a
// flask), as part of that group and throwing no shadow.
inline Look ClippedTo(Look look, int group)
{
    look.clipGroup = group;
    look.group = group;
    look.shadow = 0;
    return look;
}

// A picture built from simple solid shapes painted back to front (ellipses, tapered capsules,
// polygons), each shaded as a rounded body under the common light, then finished the way pixel
// art is: colour steps from the material's ramp, contour lines where parts overlap, a short
// cast shadow under parts that stand in front, and a dark outline around the silhouette.
class Sculpture {
public:
    Sculpture(int width, int height, Rgba outlineColour);

    // Every call returns the shape's index, which is also its default group.
    int Ellipse(Vec2 centre, Vec2 radii, const Look& look, float angle = 0.0f);
    int Circle(Vec2 centre, float radius, const Look& look) { return Ellipse(centre, {radius, radius}, look); }
    // A limb: round ends of radius ra at a and rb at b, straight tapered sides between.
    int Capsule(Vec2 a, Vec2 b, float ra, float rb, const Look& look);
    // A smooth tube through the points, radius interpolated along it; one group.
    int Stroke(const std::vector<Vec2>& points, const std::vector<float>& radii, const Look& look);
    // Any simple polygon (even-odd fill); shaded as if domed over its bounding box.
    int Polygon(const std::vector<Vec2>& points, const Look& look);
    int Box(float left, float top, float right, float bottom, const Look& look);

    // Paints the finished picture onto `target` with its top-left corner at (x, y).
    void RenderInto(Canvas& target, int x, int y) const;
    Canvas Render() const;

    int Width() const { return width; }
    int Height() const { return height; }

private:
    // Returns the surface normal (x right, y down, z toward the viewer) when the pixel centre
    // lies inside the shape.
    using Coverage = std::function<std::optional<std::array<float, 3>>(float x, float y)>;
    struct Shape {
        Coverage coverage;
        Look look;
        int group;
    };
    struct Cell {
        int shape = -1;       // topmost shape, -1 empty
        float level = 0.0f;   // light level 0..1+
    };

    int Add(Coverage coverage, const Look& look);
    std::vector<Cell> Rasterise() const;
    float LightLevel(const Shape& shape, const std::array<float, 3>& normal, int x, int y) const;
    int ShapeAt(const std::vector<Cell>& cells, int x, int y) const;

    int width;                  // pixels
    int height;                 // pixels
    Rgba outlineColour;         // the silhouette's outline
    std::vector<Shape> shapes;  // back to front
};
