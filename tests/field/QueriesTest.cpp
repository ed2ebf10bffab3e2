#include "core/Keyboard.h"
#include "core/Random.h"
#include "core/VirtualKeys.h"
#include "FieldGrids.h"
#include "graphics/Graphics.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

TEST(SolidSpace, OutsideAndBelowAreSolidAboveIsOpenAndTopsAreExact)
{
    Field field(nullptr);                      // bare floor: stone up to y = 5
    Build(field, TopsWith(0, {{3, 4, 2}}));    // stone up to y = 15 over x 30..40, z 40..50
    for (const Vec3 p : {Vec3{-0.1f, 10, 50}, {200, 10, 50}, {50, 10, -0.1f}, {50, 10, 200}, {50, -0.1f, 50},
                         {199.9f, 4.99f, 199.9f}, {35, 14.99f, 45}, {30, 10, 40}})
        EXPECT_TRUE(field.IsSolidAt(p.x, p.y, p.z)) << p.x << "," << p.y << "," << p.z;
    for (const Vec3 p : {Vec3{199.9f, 5, 199.9f}, {35, 15, 45}, {29.99f, 10, 45}, {35, 10, 39.99f}, {50, 100, 50}})
        EXPECT_FALSE(field.IsSolidAt(p.x, p.y, p.z)) << p.x << "," << p.y << "," << p.z;
    field.SetCell(5, 7, 5, CellBlock);   // far above the grid reads its top layer
    EXPECT_TRUE(field.IsSolidAt(50, 100, 50));
}

TEST(MagicCircle, IsTheCellUnderTheFeetAndNeverOffTheField)
{
    Field field(nullptr);
    Build(field, TopsWith(0, {{3, 4, 2}}));
    field.SetCell(3, 2, 4, CellMagicCircle);
    field.SetCell(0, 0, 0, CellMagicCircle);
    for (const Vec3 p : {Vec3{35, 15, 45}, {30, 19.9f, 49.9f}, {5, 2, 5}})   // below y = 5 reads layer 0
        EXPECT_TRUE(field.IsOnMagicCircle(p)) << p.x << "," << p.y << "," << p.z;
    for (const Vec3 p : {Vec3{35, 20, 45}, {35, 14.9f, 45}, {45, 15, 45}, {-1, 2, 5}, {5, 2, -1}, {5, -1, 5}, {200, 15, 45}})
        EXPECT_FALSE(field.IsOnMagicCircle(p)) << p.x << "," << p.y << "," << p.z;
}

// Every body's every move goes through the box mover, so the recorded games pin its landings,
// its wall gaps and the order of its axes to the last float; what they cannot reach is here.

// The field's edge holds a box back once its face would reach 200.
TEST(BoxMover, TheFieldEdgeHoldsBoxesBack)
{
    Field field(nullptr);
    const Vec3 cube{2, 2, 2};
    EXPECT_EQ(field.MoveBox({195, 10, 10}, {5, 0, 0}, cube), (Vec3{195, 10, 10}));
    EXPECT_EQ(field.MoveBox({195, 10, 10}, {4, 0, 0}, cube), (Vec3{195, 10, 10}));
    EXPECT_EQ(field.MoveBox({195, 10, 10}, {3.9f, 0, 0}, cube), (Vec3{195 + 3.9f, 10, 10}));
    EXPECT_EQ(field.MoveBox({10, 10, 3}, {1, 0, -2.5f}, cube), (Vec3{11, 10, 3}));
    EXPECT_EQ(field.MoveBox({10, 1, 10}, {0, -2, 0}, {1, 1, 1}), (Vec3{10, 1, 10}));
}

// A face is probed at nine points: its corners, the middles of its edges and its centre.
TEST(BoxMover, ProbesNinePointsOfTheFace)
{
    Field field(nullptr);
    Build(field, TopsWith(0));
    field.SetCell(5, 3, 6, CellBlock);   // only the face's upper far corner reaches it
    EXPECT_EQ(field.MoveBox({45, 13, 59}, {6, 0, 0}, {2, 4, 2}).x, 50 - 1 - 0.1f);
    field.SetCell(8, 3, 10, CellBlock);  // only the face's centre reaches it
    EXPECT_EQ(field.MoveBox({75, 17, 105}, {6, 0, 0}, {2, 2, 28}).x, 80 - 1 - 0.1f);
    field.SetCell(5, 3, 11, CellBlock);  // fits between the sample points of a wide face
    EXPECT_EQ(field.MoveBox({45, 17, 105}, {6, 0, 0}, {2, 2, 30}).x, 51);
}

// Drops land 10 units above a column's surface; away from a point they keep 30 units on at
// least one axis, and exactly 30 is far enough.
TEST(DropPoints, FallOntoAColumnAndKeepTheirDistance)
{
    Field field(nullptr);
    Tops tops;
    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c) tops[r][c] = (r + c) % 7;
    Build(field, tops);
    SharedRandom().Seed(9);
    int onTheLimit[2] = {};
    for (int i = 0; i < 3000; ++i) {
        const float x = i < 1000 ? 105 : i * 37 % 200 + 0.5f, z = i < 1000 ? 105 : i * 53 % 200 + 0.5f;
        const Vec3 point = field.RandomDropPointAway(x, z);
        ASSERT_TRUE(std::fmod(point.x, 10.0f) == 5.0f && std::fmod(point.z, 10.0f) == 5.0f) << "a cell's centre";
        ASSERT_TRUE(field.IsSolidAt(point.x, point.y - 10.1f, point.z) && !field.IsSolidAt(point.x, point.y - 10, point.z));
        const float dx = std::fabs(point.x - x), dz = std::fabs(point.z - z);
        ASSERT_TRUE(dx >= 30 || dz >= 30) << x << "," << z;
        onTheLimit[0] += dx == 30 && dz < 30;
        onTheLimit[1] += dz == 30 && dx < 30;
    }
    EXPECT_TRUE(onTheLimit[0] > 0 && onTheLimit[1] > 0);
}

namespace {

// Holds one key until the value settles; gives the value before the last change and the last.
std::pair<float, float> HoldUntilSettled(Field& field, uint8_t key, float (*read)(const Field&))
{
    Keyboard keyboard;
    keyboard.keys[key] = KeyHeld;
    float before = read(field), now = before;
    for (int frame = 0; frame < 1000 && (field.UpdateMapView(keyboard), read(field)) != now; ++frame)
        before = std::exchange(now, read(field));
    return {before, now};
}

float X(const Field& field) { return field.MapViewCentre().x; }
float Z(const Field& field) { return field.MapViewCentre().z; }
float Height(const Field& field) { return field.MapViewHeight(); }

}  // namespace

TEST(MapView, PansAndZoomsOneStepPastEachLimitAndAimsTheOrbitCamera)
{
    Graphics graphics;
    Field field(&graphics), unseen(nullptr);
    EXPECT_EQ(std::pair(field.MapViewCentre(), field.MapViewHeight()), std::pair(Vec3{0, 0, 0}, 35.0f));
    struct Hold { uint8_t key; float (*read)(const Field&); float limit, step; };
    for (const Hold hold : {Hold{vk::Right, &X, 20, 0.3f}, {vk::Left, &X, 0, -0.3f}, {vk::Up, &Z, 20, 0.3f},
                            {vk::Down, &Z, 0, -0.3f}, {vk::PageUp, &Height, 50, 1}, {vk::PageDown, &Height, 35, -1}}) {
        const auto [before, last] = HoldUntilSettled(field, hold.key, hold.read);
        EXPECT_NEAR(last - before, hold.step, 1e-4f) << int{hold.key};
        EXPECT_TRUE(hold.step > 0 ? before < hold.limit && last >= hold.limit : before > hold.limit && last <= hold.limit);
    }
    EXPECT_EQ(graphics.GetCameraMode(), 2);
    EXPECT_EQ(graphics.GetCameraHeight(), 35.0f);
    EXPECT_EQ(graphics.GetCameraAngle(), 45.0f);
    EXPECT_EQ(graphics.GetCameraDistance(), 50.0f);
    EXPECT_EQ(graphics.GetLookAt(), (Vec3{X(field) * 10, 0, Z(field) * 10}));
    EXPECT_NEAR(HoldUntilSettled(unseen, vk::Up, Z).second, 20.1f, 1e-4f);   // no camera, still pans
}
