#include "RecordedFrame.h"

#include "core/GameClock.h"
#include "graphics/Billboard.h"
#include "graphics/Sprite.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

class Drawing : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        graphics.SetRenderState(RenderState::Lighting, 0);
    }
    void TearDown() override { UseRealGameClock(); }

    std::span<const RecordedVertex> LastVertices() const { return VerticesOf(LastDraw()); }

    // The four corners of the last drawn quad (recorded as the fan 0,1,2 / 0,2,3).
    RecordedVertex Corner(int index) const { return LastVertices()[std::array{0, 1, 2, 5}[index]]; }
};

}  // namespace

// Where a sprite's corners land: around its position, or from its top-left corner once that is
// the pivot; odd sizes halve by truncation, and a scale works about the pivot.
TEST_F(Drawing, SpriteCornersFollowSizePivotAndScale)
{
    const struct { int16_t width, height; float x, y; bool pivotTopLeft; float scaleX, scale; float left, right, top, bottom; } sprites[] = {
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

// Texture coordinates follow the declared size, not the decoded one; a textured sprite takes its
// top-left colour everywhere, an untextured one keeps each corner's; and a sprite's texture stays
// bound, so an untextured billboard afterwards draws with it.
TEST_F(Drawing, SpriteTexturesAndColours)
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
    EXPECT_FLOAT_EQ(Corner(0).u, 0.25f);
    EXPECT_FLOAT_EQ(Corner(0).v, 0.5f);
    EXPECT_FLOAT_EQ(Corner(2).u, 0.375f);
    EXPECT_FLOAT_EQ(Corner(2).v, 0.5625f);

    sprite.ClearTexture();
    sprite.Draw();
    EXPECT_EQ(Corner(2).colour, 0xff00ff00u);
    EXPECT_EQ(Corner(2).u, 0.0f);

    sprite.SetSource(&sheet, 0, 0, 8, 8);
    sprite.Draw();
    Billboard billboard(&graphics);
    billboard.Setup(nullptr, 2, 2, Rect{0, 0, 8, 8});
    billboard.Draw();
    EXPECT_EQ(LastDraw().texture, &sheet);
    EXPECT_FLOAT_EQ(LastVertices()[0].v, 1.0f);
}

TEST_F(Drawing, BillboardYawFacesTheViewer)
{
    const std::array<float, 3> yaws[] = {{10, 0, Pi / 2}, {-10, 0, -Pi / 2}, {10, 10, Pi / 4}, {-10, 10, -Pi / 4},
                                         {-10, -10, -3 * Pi / 4}};
    for (const auto& [dx, dz, yaw] : yaws) EXPECT_FLOAT_EQ(Billboard::FacingYaw(dx, dz), yaw) << dx << "," << dz;
    EXPECT_TRUE(std::isfinite(Billboard::FacingYaw(0, 0)) && std::isfinite(Billboard::FacingYaw(0, 5)));

    // Looking along +x the rectangle spans z around its position and faces the camera.
    graphics.SetEye({0, 0, 0});
    graphics.SetLookAt({10, 0, 0});
    Billboard billboard(&graphics);
    billboard.Setup(nullptr, 4, 2, Rect{});
    billboard.SetPosition(50, 5, 20);
    billboard.Draw();
    const RecordedVertex first = Corner(0);   // (-w/2, -h/2) of the picture
    EXPECT_NEAR(first.x, 50.0f, 1e-4f);
    EXPECT_NEAR(first.y, 4.0f, 1e-4f);
    EXPECT_NEAR(first.z, 22.0f, 1e-4f);
    EXPECT_EQ(LastDraw().state.blend, BlendAlpha);

    // The billboard's draw leaves blending off for what follows.
    graphics.DrawFace(4);
    EXPECT_EQ(LastDraw().state.blend, BlendOpaque);
}

TEST_F(Drawing, BillboardFramesAndLimits)
{
    Texture sheet;
    LoadBlank(sheet, 256, 256);
    const Rect a{0, 0, 16, 16}, b{16, 0, 16, 16}, c{32, 0, 16, 16}, d{48, 0, 16, 16};
    Billboard billboard(&graphics);
    billboard.Setup(&sheet, 1, 1, a);
    billboard.AddFrame(b);
    billboard.AddFrame(c);
    billboard.AddFrame(d);
    EXPECT_EQ(billboard.LastFrame(), 2);
    const std::pair<int, Rect> frames[] = {{0, a}, {1, b}, {2, d}, {9, d}, {-4, a}};   // held inside the three
    for (const auto& [index, rect] : frames) EXPECT_EQ(billboard.GetFrame(index), rect) << index;

    // Frame 2 of the slow cycle shows d; u of the first corner is d.x / 256.
    SetGameClockForTests(396u * 2u);
    billboard.Draw();
    EXPECT_FLOAT_EQ(LastVertices()[0].u, 48.0f / 256.0f);

    // With two frames the clock's frame 2 falls back to frame 1.
    Billboard pair(&graphics);
    pair.Setup(&sheet, 1, 1, a);
    pair.AddFrame(b);
    pair.Draw();
    EXPECT_FLOAT_EQ(LastVertices()[0].u, 16.0f / 256.0f);

    // One frame never consults the clock.
    Billboard single(&graphics);
    single.Setup(&sheet, 1, 1, c);
    single.Draw();
    EXPECT_FLOAT_EQ(LastVertices()[0].u, 32.0f / 256.0f);
    EXPECT_FLOAT_EQ(LastVertices()[0].v, 16.0f / 256.0f);   // the bottom corner takes v + dv
}
