#include "field/BackFaces.h"

#include "field/Field.h"
#include "graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A cell's box as drawn: 10 units across, 10 high, centred on the bottom of its 5-unit layer.
constexpr float BoxHalfHeight = 5.0f;

// The cells along one axis whose span [index * size + low, index * size + high] comes within
// reach of the coordinate, clipped to 0..count - 1; first > last when there are none.
struct CellRange {
    int first;
    int last;
};

CellRange CellsNear(float coordinate, float reach, float size, float low, float high, int count)
{
    // Clamped while still floats: an eye far off the field must not overflow the conversion.
    const float first = std::clamp(std::ceil((coordinate - reach - high) / size), 0.0f, static_cast<float>(count));
    const float last = std::clamp(std::floor((coordinate + reach - low) / size), -1.0f, static_cast<float>(count - 1));
    return {static_cast<int>(first), static_cast<int>(last)};
}

float Distance(Vec3 a, Vec3 b)
{
    const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace

BackFaces::BackFaces(const Field& field, Vec3 earlierEye, Vec3 eye) : eyes{earlierEye, eye}
{
    // Between two eyes the picture's eye keeps to the straight line, or to the orbit camera's arc
    // the short way round, which strays from the line by at most half its length.
    const float stride = Distance(earlierEye, eye);
    if (!std::isfinite(stride)) return;
    slack = stride / 2.0f;
    const float reach = NearPlaneReach() + stride;
    if (NearABlock(field, earlierEye, reach) || NearABlock(field, eye, reach)) return;
    leaveOut = std::min(earlierEye.y, eye.y) - reach >= HighestOpenUnderside(field);
}

bool BackFaces::Hidden(int row, int layer, int col, int8_t face) const
{
    return leaveOut && InFront(eyes[0], row, layer, col, face) <= -slack &&
           InFront(eyes[1], row, layer, col, face) <= -slack;
}

// The distance from the near plane's corners to the eye: within it a block can be cut open.
float BackFaces::NearPlaneReach()
{
    const float spread = std::tan(Graphics::FieldOfViewY / 2.0f);
    return Graphics::NearPlane * std::sqrt(1.0f + spread * spread * (1.0f + Graphics::Aspect * Graphics::Aspect));
}

bool BackFaces::NearABlock(const Field& field, Vec3 eye, float reach)
{
    const CellRange rows = CellsNear(eye.x, reach, Field::CellWidth, 0.0f, Field::CellWidth, Field::Rows);
    const CellRange layers = CellsNear(eye.y, reach, Field::CellHeight, -BoxHalfHeight, BoxHalfHeight, Field::Layers);
    const CellRange cols = CellsNear(eye.z, reach, Field::CellWidth, 0.0f, Field::CellWidth, Field::Cols);
    for (int row = rows.first; row <= rows.last; ++row)
        for (int layer = layers.first; layer <= layers.last; ++layer)
            for (int col = cols.first; col <= cols.last; ++col)
                if (field.Cell(row, layer, col) != CellEmpty) return true;
    return false;
}

// A block's underside is covered when the cell below it is solid or when the cell two below is
// (whose top lies in the same plane); over a deeper gap, or at the bottom layer, nothing covers it.
float BackFaces::HighestOpenUnderside(const Field& field)
{
    float highest = -std::numeric_limits<float>::infinity();
    for (int row = 0; row < Field::Rows; ++row)
        for (int layer = 0; layer < Field::Layers; ++layer)
            for (int col = 0; col < Field::Cols; ++col) {
                const auto solid = [&](int l) { return l >= 0 && field.Cell(row, l, col) != CellEmpty; };
                if (!solid(layer) || solid(layer - 1) || solid(layer - 2)) continue;
                highest = std::max(highest, layer * Field::CellHeight - BoxHalfHeight);
            }
    return highest;
}

// How far the eye stands in front of the face's plane, in world units; negative behind it.
float BackFaces::InFront(Vec3 eye, int row, int layer, int col, int8_t face)
{
    if (face >= 4) return eye.y - (layer * Field::CellHeight + BoxHalfHeight);   // the top
    // A side lies half a cell out from the cell's centre along the step to the neighbour it faces.
    const float fromCentreX = eye.x - (row + 0.5f) * Field::CellWidth;
    const float fromCentreZ = eye.z - (col + 0.5f) * Field::CellWidth;
    return Field::SideStepRow[face] * fromCentreX + Field::SideStepCol[face] * fromCentreZ - Field::CellWidth / 2.0f;
}
