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

TEST_F(Drawing, TexturedSpriteUsesTheDeclaredSizeAndTheTopLeftColour)
{
    Texture sheet;
    LoadBlank(sheet, 64, 256);   // decoded at 64, declared 256: coordinates follow the declaration
    Sprite sprite(&graphics);
    sprite.SetSource(&sheet, 64, 128, 32, 16);
    sprite.SetPosition(100, 50, 0.5f);
    sprite.SetCornerColour(0, 0x80ff0000);
    sprite.SetCornerColour(2, 0xff00ff00);
    sprite.SetBlendMode(BlendAlpha);
    sprite.Draw();

    EXPECT_EQ(LastDraw().texture, &sheet);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Corner(i).colour, 0x80ff0000u) << i;
    EXPECT_FLOAT_EQ(Corner(0).u, 0.25f);
    EXPECT_FLOAT_EQ(Corner(0).v, 0.5f);
    EXPECT_FLOAT_EQ(Corner(2).u, 0.375f);
    EXPECT_FLOAT_EQ(Corner(2).v, 0.5625f);
    EXPECT_FLOAT_EQ(Corner(0).x, 84.0f);
    EXPECT_FLOAT_EQ(Corner(2).y, 58.0f);

    // Without a texture each corner keeps its own colour and the coordinates are 0.
    sprite.ClearTexture();
    sprite.Draw();
    EXPECT_EQ(Corner(2).colour, 0xff00ff00u);
    EXPECT_EQ(Corner(2).u, 0.0f);

    // A sprite's texture stays bound: an untextured billboard afterwards draws with it.
    sprite.SetSource(&sheet, 0, 0, 8, 8);
    sprite.Draw();
    Billboard billboard(&graphics);
    billboard.Setup(nullptr, 2, 2, Rect{0, 0, 8, 8});
    billboard.Draw();
    EXPECT_EQ(LastDraw().texture, &sheet);
    EXPECT_FLOAT_EQ(LastVertices()[0].u, 0.0f);
    EXPECT_FLOAT_EQ(LastVertices()[0].v, 1.0f);
}

TEST_F(Drawing, PivotScaleAndOddSizes)
{
    // Pivot at the top-left, half the width: the left edge stays, the right edge comes in.
    Sprite gauge(&graphics);
    gauge.SetWidth(100);
    gauge.SetHeight(10);
    gauge.SetPosition(200, 100, 0);
    gauge.SetPivotTopLeft();
    gauge.SetScaleX(0.5f);
    gauge.Draw();
    EXPECT_FLOAT_EQ(Corner(0).x, 150.0f);
    EXPECT_FLOAT_EQ(Corner(1).x, 200.0f);
    EXPECT_FLOAT_EQ(Corner(0).y, 95.0f);
    EXPECT_FLOAT_EQ(Corner(3).y, 105.0f);

    // An odd size halves by truncation and draws one pixel narrower; a uniform scale works
    // about the centre.
    Sprite odd(&graphics);
    odd.SetWidth(5);
    odd.SetHeight(-3);
    odd.SetPosition(10, 10, 0);
    odd.SetScale(2.0f);
    odd.Draw();
    EXPECT_FLOAT_EQ(Corner(0).x, 6.0f);
    EXPECT_FLOAT_EQ(Corner(1).x, 14.0f);
    EXPECT_FLOAT_EQ(Corner(0).y, 12.0f);   // -3 / 2 truncates to -1
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

TEST_F(Drawing, AnimationFramesFollowTheClock)
{
    const int8_t slow[] = {0, 1, 2, 1, 0};
    for (int step = 0; step < 5; ++step) {
        SetGameClockForTests(1584u * 1000u + 396u * step + 395u * (step % 2));
        EXPECT_EQ(graphics.AnimationFrame(0), slow[step]) << step;
    }
    const int8_t fast[] = {0, 1, 2, 0};
    for (int step = 0; step < 4; ++step) {
        SetGameClockForTests(192u * 7u + 64u * step + 63u);
        EXPECT_EQ(graphics.AnimationFrame(3), fast[step]) << step;
    }
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
