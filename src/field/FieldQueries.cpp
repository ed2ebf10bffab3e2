#include "field/Field.h"

#include "core/Keyboard.h"
#include "core/Random.h"
#include "core/VirtualKeys.h"
#include "graphics/Graphics.h"

#include <cmath>

namespace {

// Axis numbering of the box mover and its face probe.
constexpr int AxisX = 0;
constexpr int AxisZ = 1;
constexpr int AxisY = 2;

// The box mover stops a body this far short of a block it runs into on the positive side, so
// the next probe from there starts in open air.
constexpr float PositiveSideGap = 0.1f;

constexpr float DropHeightAboveGround = 10.0f;   // world units above the standing surface
constexpr float DropMinimumDistance   = 30.0f;   // world units along x or z
constexpr int16_t HighestDropLayer    = 7;

constexpr float MapPanStep     = 0.3f;    // cells per frame
constexpr float MapPanLimit    = 20.0f;   // cells
constexpr float MapZoomStep    = 1.0f;    // world units per frame
constexpr float MapLowest      = 35.0f;   // world units
constexpr float MapHighest     = 50.0f;
constexpr float MapCameraAngle = 45.0f;   // radians, used as they are: a fixed oblique view
constexpr float MapCameraDistance = 50.0f;
constexpr int8_t OrbitCamera   = 2;

float& Component(Vec3& v, int axis)
{
    if (axis == AxisX) return v.x;
    if (axis == AxisZ) return v.z;
    return v.y;
}

// World to grid truncates toward zero, as a float-to-integer conversion does. Off the field the
// index is -1: that point is solid.
int HorizontalIndex(float v)
{
    if (v < 0.0f || v >= Field::Extent) return -1;
    return static_cast<int>(v / Field::CellWidth);
}

// Everything above the grid reads as its top layer, which is always open: there is no ceiling.
int LayerAt(float layerValue)
{
    if (layerValue >= static_cast<float>(Field::Layers)) layerValue = Field::Layers - 1;
    return static_cast<int>(layerValue);
}

int VerticalIndex(float y)
{
    if (y < 0.0f) return -1;
    return LayerAt(y / Field::CellHeight);
}

// The grid indices a face's sample points take along one axis: one on the axis the face lies
// across, three (low edge, middle, high edge) on the others.
struct FaceSamples {
    int index[3];
    int count;

    bool OffField() const { return (index[0] | index[1] | index[2]) < 0; }
};

FaceSamples Samples(float centre, float half, bool across, int (*toIndex)(float))
{
    if (across) return {{toIndex(centre), 0, 0}, 1};   // unused slots stay 0: on the field
    return {{toIndex(centre - half), toIndex(centre), toIndex(centre + half)}, 3};
}

float CellCentre(int index)
{
    return static_cast<float>(index * 10 + 5);
}

}  // namespace

bool Field::IsSolidAt(float x, float y, float z) const
{
    const int row = HorizontalIndex(x);
    const int layer = VerticalIndex(y);
    const int col = HorizontalIndex(z);
    if (row < 0 || layer < 0 || col < 0) return true;
    return cells[row][layer][col] != CellEmpty;
}

// Looks at the cell under the feet. Positions off the field (which the box mover never
// produces for the player) simply read as not on the circle.
bool Field::IsOnMagicCircle(Vec3 position) const
{
    const int row = HorizontalIndex(position.x);
    const int col = HorizontalIndex(position.z);
    const int layer = position.y < 0.0f ? -1 : LayerAt(position.y / CellHeight - 1.0f);
    if (row < 0 || layer < 0 || col < 0) return false;
    return cells[row][layer][col] == CellMagicCircle;
}

// One axis at a time, x then z then y, each from the position the earlier axes left. An axis
// that meets nothing moves by exactly position + velocity in float: the physics compares
// positions against that sum to tell a free move from a blocked one.
Vec3 Field::MoveBox(Vec3 position, Vec3 velocity, Vec3 size) const
{
    for (const int axis : {AxisX, AxisZ, AxisY}) {
        const float speed = Component(velocity, axis);
        if (speed == 0.0f) continue;

        float& coordinate = Component(position, axis);
        const float half = Component(size, axis) / 2.0f;
        const float face = speed < 0.0f ? coordinate - half : coordinate + half;
        const float probe = face + speed;
        if (probe < 0.0f) continue;
        if (axis != AxisY && probe >= Extent) continue;   // the field's edge holds the box back

        Vec3 facePoint = position;
        Component(facePoint, axis) = probe;
        if (!ProbeFace(axis, facePoint, size)) {
            coordinate += speed;
            continue;
        }

        const float cell = axis == AxisY ? CellHeight : CellWidth;
        const float boundary = static_cast<float>(static_cast<int>(probe / cell));
        if (speed > 0.0f)
            coordinate = boundary * cell - half - PositiveSideGap;
        else
            coordinate = (boundary + 1.0f) * cell + half;
    }
    return position;
}

// Nine points, three by three over the face: corners, edge middles and centre. The answer is
// only whether any of them is solid, so each axis is converted to grid indices once and all
// nine cells are read without stopping early (every moving body runs this three times a frame).
bool Field::ProbeFace(int axis, Vec3 facePoint, Vec3 size) const
{
    const FaceSamples rows = Samples(facePoint.x, size.x / 2.0f, axis == AxisX, HorizontalIndex);
    const FaceSamples cols = Samples(facePoint.z, size.z / 2.0f, axis == AxisZ, HorizontalIndex);
    const FaceSamples layers = Samples(facePoint.y, size.y / 2.0f, axis == AxisY, VerticalIndex);
    if (rows.OffField() || cols.OffField() || layers.OffField()) return true;

    int solid = 0;
    for (int r = 0; r < rows.count; ++r)
        for (int l = 0; l < layers.count; ++l)
            for (int c = 0; c < cols.count; ++c) solid |= cells[rows.index[r]][layers.index[l]][cols.index[c]];
    return solid != 0;
}

Vec3 Field::RandomDropPoint() const
{
    const int row = SharedRandom().Next() % Rows;
    const int col = SharedRandom().Next() % Cols;
    return DropPointAt(row, col);
}

// Keeps enemies from landing on the player: the column centre must be at least 30 units away
// along x or along z.
Vec3 Field::RandomDropPointAway(float x, float z) const
{
    int row = 0;
    int col = 0;
    do {
        row = SharedRandom().Next() % Rows;
        col = SharedRandom().Next() % Cols;
    } while (std::fabs(CellCentre(row) - x) < DropMinimumDistance &&
             std::fabs(CellCentre(col) - z) < DropMinimumDistance);
    return DropPointAt(row, col);
}

// Two layers above the first open layer of the column, so the body falls onto its surface.
Vec3 Field::DropPointAt(int row, int col) const
{
    int16_t layer = 1;
    while (layer < HighestDropLayer && cells[row][layer][col] != CellEmpty) ++layer;
    return {CellCentre(row), static_cast<float>(layer) * CellHeight + DropHeightAboveGround,
            CellCentre(col)};
}

// Each limit is tested before the step, so a held key ends one step past it.
Vec3 Field::UpdateMapView(const Keyboard& keyboard)
{
    Vec3& centre = mapViewCentre;
    if (keyboard.Down(vk::Left) && centre.x > 0.0f) centre.x -= MapPanStep;
    if (keyboard.Down(vk::Right) && centre.x < MapPanLimit) centre.x += MapPanStep;
    if (keyboard.Down(vk::Up) && centre.z < MapPanLimit) centre.z += MapPanStep;
    if (keyboard.Down(vk::Down) && centre.z > 0.0f) centre.z -= MapPanStep;
    if (keyboard.Down(vk::PageUp) && mapViewHeight < MapHighest) mapViewHeight += MapZoomStep;
    if (keyboard.Down(vk::PageDown) && mapViewHeight > MapLowest) mapViewHeight -= MapZoomStep;

    if (graphics != nullptr) {
        graphics->SetCameraMode(OrbitCamera);
        graphics->SetCameraHeight(mapViewHeight);
        graphics->SetCameraAngle(MapCameraAngle);
        graphics->SetCameraDistance(MapCameraDistance);
        graphics->SetLookAt({centre.x * CellWidth, centre.y * CellHeight, centre.z * CellWidth});
    }
    return centre;
}
