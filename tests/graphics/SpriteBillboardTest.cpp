#include "RecordedFrame.h"

#include "core/GameClock.h"
#include "graphics/Billboard.h"
#include "graphics/Sprite.h"

#include <array>
#include <cmath>
#include <set>

namespace {

class Drawing : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        graphics.SetRenderState(RenderState::Lighting, 0);
    }
    void TearDown() override { UseRealGameClock(); }

    // The four corners of the last drawn quad (recorded as the fan 0,1,2 / 0,2,3).
    RecordedVertex Corner(int index) const { return VerticesOf(LastDraw())[std::array{0, 1, 2, 5}[index]]; }
};

}  // namespace

// Where a sprite's corners land: around its position, or from its top-left corner once that is
// the pivot; odd sizes halve by truncation, and a scale works about the pivot.
TEST_F(Drawing, SpriteCornersFollowSizePivotAndScale)
{
    const struct { int16_t width, height; float x, y; bool pivotTopLeft; float scaleX, scale;
                   float left, right, top, bottom; } sprites[] = {
        {32, 16, 100, 50, false, 1.0f, 1.0f, 84, 116, 42, 58},
        {100, 10, 200, 100, true, 0.5f, 1.0f, 150, 200, 95, 105},
        {5, -3, 10, 10, false, 1.0f, 2.0f, 6, 14, 12, 8},
    };
    for (const auto& s : sprites) {
        Sprite sprite(&graphics);
        sprite.SetWidth(s.width);
        sprite.SetHeight(s.height);
        sprite.SetPosition(s.x, s.y, 0.5f);
        if (s.pivotTopLeft) sprite.SetPivotTopLeft();
        sprite.SetScale(s.scale);
        if (s.scaleX != 1.0f) sprite.SetScaleX(s.scaleX);
        sprite.Draw();
        EXPECT_FLOAT_EQ(Corner(0).x, s.left) << s.width;
        EXPECT_FLOAT_EQ(Corner(1).x, s.right) << s.width;
        EXPECT_FLOAT_EQ(Corner(0).y, s.top) << s.width;
        EXPECT_FLOAT_EQ(Corner(3).y, s.bottom) << s.width;
    }
}

// Texture coordinates follow the declared size, not the decoded one, and a textured sprite
// takes its top-left colour everywhere (untextured ones, like the sky, keep each corner's).
TEST_F(Drawing, TexturedSpritesAreCutByTheDeclaredSizeInTheirTopLeftColour)
{
    Texture sheet;
    LoadBlank(sheet, 64, 256);
    Sprite sprite(&graphics);
    sprite.SetSource(&sheet, 64, 128, 32, 16);
    sprite.SetCornerColour(0, 0x80ff0000);
    sprite.SetCornerColour(2, 0xff00ff00);
    sprite.Draw();
    EXPECT_EQ(LastDraw().texture, &sheet);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Corner(i).colour, 0x80ff0000u) << i;
    EXPECT_TRUE(Corner(0).u == 0.25f && Corner(0).v == 0.5f && Corner(2).u == 0.375f && Corner(2).v == 0.5625f);
}

// Whichever way the camera looks, the picture stands across the view, its first corner on the
// viewer's left (left-handed: looking along +x, +z is on the left); straight down it stays whole.
TEST_F(Drawing, BillboardsStandAcrossTheViewAndLeaveBlendingOff)
{
    Billboard billboard(&graphics);
    billboard.Setup(nullptr, 4, 2, Rect{});
    billboard.SetPosition(50, 5, 20);
    const std::pair<float, float> views[] = {{10, 0}, {-10, 0}, {7, 7}, {-3, 9}, {0.5f, -8}};
    for (const auto& [dx, dz] : views) {
        graphics.SetEye({0, 0, 0});
        graphics.SetLookAt({dx, 0, dz});
        billboard.Draw();
        const float length = std::hypot(dx, dz);
        EXPECT_NEAR(Corner(1).x - Corner(0).x, 4 * dz / length, 1e-4f) << dx << "," << dz;
        EXPECT_NEAR(Corner(1).z - Corner(0).z, -4 * dx / length, 1e-4f) << dx << "," << dz;
        EXPECT_NEAR(Corner(0).x + Corner(1).x, 100.0f, 1e-4f);
        EXPECT_TRUE(Corner(0).y == 4.0f && Corner(3).y == 6.0f);
    }
    graphics.SetLookAt({0, -10, 0});
    billboard.Draw();
    EXPECT_TRUE(std::isfinite(Corner(0).x) && std::isfinite(Corner(0).z));
    EXPECT_EQ(LastDraw().state.blend, BlendAlpha);
    graphics.DrawFace(4);
    EXPECT_EQ(LastDraw().state.blend, BlendOpaque);
}

// Over a while of the game clock a billboard shows every frame it has and no other; a fourth
// frame replaces the third.
TEST_F(Drawing, BillboardsAnimateThroughTheirOwnFrames)
{
    Texture sheet;
    LoadBlank(sheet, 256, 256);
    const Rect frames[] = {{0, 0, 16, 16}, {16, 0, 16, 16}, {32, 0, 16, 16}, {48, 0, 16, 16}};
    const std::pair<int, std::set<float>> cases[] = {{1, {0}}, {2, {0, 16}}, {3, {0, 16, 32}}, {4, {0, 16, 48}}};
    for (const auto& [count, expected] : cases) {
        Billboard billboard(&graphics);
        billboard.Setup(&sheet, 1, 1, frames[0]);
        for (int i = 1; i < count; ++i) billboard.AddFrame(frames[i]);
        std::set<float> shown;
        for (uint32_t clock = 0; clock < 4000; clock += 50) {
            SetGameClockForTests(clock);
            billboard.Draw();
            shown.insert(Corner(0).u * 256);
        }
        EXPECT_EQ(shown, expected) << count << " frames";
        EXPECT_FLOAT_EQ(Corner(0).v, 16.0f / 256.0f) << "the bottom corner takes v + dv";
    }
}
