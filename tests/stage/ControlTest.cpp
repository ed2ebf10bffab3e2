#include "StageWorld.h"

#include "core/VirtualKeys.h"

namespace {

struct ControlTest : StageWorld {
    // One frame of play with the given keys pressed (first frame) and held.
    int8_t Frame(std::initializer_list<uint8_t> pressed, std::initializer_list<uint8_t> held = {})
    {
        keyboard.Reset();
        for (uint8_t key : pressed) keyboard.keys[key] = KeyPressed;
        for (uint8_t key : held) keyboard.keys[key] = KeyHeld;
        Update();
        return stage.UpdatePlayer(keyboard, &field);
    }
};

// How fast a turn builds up and dies out, and the forward walk, are pinned by the recorded
// games; they never hold opposing keys, walk backward or look up and down.
TEST_F(ControlTest, OpposingKeysTurnRightAndWalkBackwardAndLookingStaysInItsLimits)
{
    Frame({}, {vk::Left, vk::Right, vk::Up, vk::Down});
    EXPECT_EQ(player().facing, 0.01f);
    EXPECT_EQ(player().speed, -0.01f);
    for (int frame = 0; frame < 150; ++frame) Frame({}, {vk::Down});
    EXPECT_FLOAT_EQ(player().speed, -0.8f * 0.7f) << "backward tops out at four fifths of forward";

    player().lookOffset = 4.9f;
    for (int frame = 0; frame < 3; ++frame) Frame({}, {vk::PageUp});
    EXPECT_FLOAT_EQ(player().lookOffset, 5.4f);   // one step may pass the limit
    const Vec3 at = player().position;   // the camera is aimed before the player moves
    Frame({}, {vk::Up});
    EXPECT_FLOAT_EQ(player().lookOffset, 5.4f / 1.05f);   // walking levels the view
    EXPECT_EQ(graphics.GetCameraHeight(), at.y + player().lookOffset);
    EXPECT_EQ(graphics.GetEye(), (Vec3{at.x, at.y + 1.0f, at.z}));
    Frame({}, {vk::Home});
    EXPECT_EQ(player().lookOffset, 0.0f);
}

// Held keys act once; Z on the magic circle casts at the circle's price and stops the clock.
TEST_F(ControlTest, SpaceAndZActOnlyOnTheFirstFrameOfAPress)
{
    Frame({vk::Space});
    EXPECT_GT(player().position.y, BodyRest);
    for (int frame = 0; frame < 40; ++frame) Frame({}, {vk::Space});
    EXPECT_EQ(player().position.y, BodyRest);   // landed and stays: still held

    player().facing = 0.5f;
    field.SetCell(10, 0, 10, CellMagicCircle);   // under the player
    const float time = player().time;
    Frame({vk::Z});
    for (int frame = 0; frame < 5; ++frame) Frame({}, {vk::Z});
    ASSERT_EQ(Kinds(), (KindList{KindMagicShot}));
    EXPECT_EQ(stage.First()->facing, 0.5f);
    EXPECT_EQ(player().mana, 99.5f);
    EXPECT_EQ(player().time, time);
}

TEST_F(ControlTest, MapViewOpensWithAFollowingMarkerFreezesControlsAndCloses)
{
    stage.SetFigure(1);
    Frame({vk::Shift});
    EXPECT_EQ(stage.GetMapState(), MapNone);   // no map, no view

    stage.SetMapState(MapHeld);
    player().position.y = 30.0f;   // in the air: it falls even over the map
    Frame({vk::Shift});
    EXPECT_EQ(stage.GetMapState(), MapView);
    ASSERT_EQ(Kinds(), (KindList{KindFigure1}));

    const float centreZ = field.MapViewCentre().z;
    Frame({vk::Z}, {vk::Up, vk::Right, vk::Shift});
    EXPECT_LT(player().speed, 0.001f);
    EXPECT_EQ(player().turnRate, 0.0f);
    EXPECT_EQ(player().mana, 100.0f);
    EXPECT_FLOAT_EQ(field.MapViewCentre().z, centreZ + 0.3f);   // the arrows pan the map
    const Vec3 before = player().position;
    EXPECT_LT(before.y, 30.0f);
    Frame({});
    EXPECT_EQ(stage.First()->position, before);   // the marker follows the player

    Frame({vk::Shift});
    EXPECT_EQ(stage.GetMapState(), MapHeld);
    EXPECT_EQ(stage.ObjectCount(), 0);
    Frame({}, {vk::Right});
    EXPECT_EQ(player().turnRate, 0.01f);
}

}  // namespace
