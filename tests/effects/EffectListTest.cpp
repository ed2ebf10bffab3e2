#include "RecordedFrame.h"
#include "core/GameClock.h"
#include "effects/EffectList.h"
#include "graphics/Font.h"

#include <string>

namespace {

// A list on a graphics object without a renderer: each frame's draws are read back from the
// recording. Two distinct (empty) textures stand for the water picture and the sprite sheet.
class EffectListTest : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        SetGameClockForTests(0);
        graphics.SetRenderState(RenderState::Lighting, 0);   // keep the vertex colours
        effects.SetTexture(0, &water);
        effects.SetTexture(1, &sheet);
    }
    void TearDown() override { UseRealGameClock(); }

    std::vector<const RecordedDraw*> RunFrame(DrawKind kind = DrawKind::WorldPrimitive)
    {
        graphics.BeginFrame();
        effects.Frame();
        return DrawsOf(kind);
    }
    std::vector<int8_t> Kinds() const
    {
        std::vector<int8_t> kinds;
        for (const Effect* e = effects.First(); e != nullptr; e = e->Next()) kinds.push_back(e->Kind());
        return kinds;
    }

    Texture    water;
    Texture    sheet;
    EffectList effects{&graphics, nullptr};   // no sound bank: the smoke is silent
};

// Puffs live six frames and smoke twenty-one, the sky fades fifty-one with their alpha stepping
// by 5 from full or from nothing; each is drawn every frame it lives. The placeholder stays.
TEST_F(EffectListTest, EachEffectLivesItsFramesAndThePlaceholderStays)
{
    effects.Create(EffectNothing);
    const struct { int8_t kind; DrawKind drawn; int frames, alphaStep; } lives[] = {
        {EffectPuff, DrawKind::WorldPrimitive, 6, 0}, {EffectSmoke, DrawKind::WorldPrimitive, 21, 0},
        {EffectFadeOut, DrawKind::ScreenQuad, 51, -5}, {EffectFadeIn, DrawKind::ScreenQuad, 51, 5}};
    for (const auto& life : lives) {
        effects.Create(life.kind);
        int drawn = 0;
        uint32_t alpha = life.alphaStep < 0 ? 255 : 0;
        for (int frame = 0; effects.Count() > 1 && frame < 100; ++frame) {
            for (const RecordedDraw* draw : RunFrame(life.drawn)) {
                ++drawn;
                if (life.alphaStep == 0) continue;
                for (const RecordedVertex& corner : VerticesOf(*draw))
                    EXPECT_EQ(corner.colour >> 24, alpha + life.alphaStep) << int(life.kind) << " frame " << frame;
                alpha += life.alphaStep;
            }
        }
        EXPECT_EQ(drawn, life.frames) << "kind " << int(life.kind);
    }
    EXPECT_EQ(Kinds(), (std::vector<int8_t>{EffectNothing}));
    EXPECT_TRUE(graphics.Recording().Draws().empty());
}

TEST_F(EffectListTest, StageBannerRestsFiftyFramesThenSlidesOff)
{
    Font courier(&graphics);
    courier.SetFaceName("Courier");
    courier.SetParam(Font::ParamHeight, 32);
    courier.SetParam(Font::ParamWeight, 700);
    if (!courier.Create()) GTEST_SKIP() << "no Courier-metric face (fonts-urw-base35): the banner has nothing to write with";

    effects.Create(EffectStageBanner)->SetScale(3.0f, 0.0f, 0.0f);
    std::string text;
    auto textTop = [&] {
        float top = 1e9f;
        text.clear();
        for (const RecordedDraw* glyph : RunFrame(DrawKind::Text)) {
            text += static_cast<char>(glyph->detail);
            for (const RecordedVertex& v : VerticesOf(*glyph)) top = std::min(top, v.y);
        }
        return top;
    };
    const float rest = textTop();
    EXPECT_EQ(text, "Stage3");
    for (int update = 2; update <= 97; ++update) {
        const float top = textTop();
        // Near the bottom the glyphs that no longer fit are cut, and at last none is left.
        EXPECT_TRUE(update > 85 || text == "Stage3") << "update " << update << ": " << text;
        EXPECT_TRUE(update > 94 || !text.empty()) << "update " << update;
        const float moved = (update <= 50 ? 250.0f : 5.0f * update) - 250.0f;
        EXPECT_TRUE(text.empty() || top - rest == moved) << "update " << update << ": " << top - rest;
        EXPECT_EQ(effects.First()->Finished(), update == 97);
    }
}

// Asked for a kind, the list lets go of that kind, keeping the others in order; 0 empties it.
// (Finished effects go every frame: the soak would see them pile up otherwise.)
TEST_F(EffectListTest, RemoveTakesTheKindAskedAndKeepsTheOrder)
{
    for (int8_t kind : {1, 4, 2, 1, 4, 1}) effects.Create(kind);
    effects.Remove(EffectLightColumn);
    EXPECT_EQ(Kinds(), (std::vector<int8_t>{4, 2, 4}));
    effects.Remove(0);
    EXPECT_EQ(effects.First(), nullptr);
}

TEST_F(EffectListTest, LightColumnIsDrawnLastAtTheFloorTurnedToTheEyeWithScrollingRipples)
{
    Effect* column = effects.Create(EffectLightColumn);
    column->SetPosition(100.0f, 37.0f, 60.0f);   // the column ignores its y
    column->SetScale(4.0f, 4.0f, 4.0f);
    effects.Create(EffectPuff);
    graphics.SetEye(Vec3{150.0f, 10.0f, 10.0f});   // beyond the column in x, before it in z
    const auto draws = RunFrame();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->texture, &sheet);   // the puff, from the first pass
    EXPECT_EQ(draws[1]->texture, &water);
    EXPECT_EQ(draws[1]->state.blend, BlendAlpha);
    const auto strip = VerticesOf(*draws[1]);   // starts at (-X, top, -Z): both axes flipped toward the eye
    EXPECT_EQ(strip[0].x, 104.0f);
    EXPECT_EQ(strip[0].z, 64.0f);
    EXPECT_LT(strip[1].y, 0.0f);             // reaches below the floor
    graphics.SetEye(Vec3{50.0f, 10.0f, 90.0f});   // the other side: no flips
    EXPECT_EQ(VerticesOf(*RunFrame().back())[0].x, 96.0f);

    // The ripple band slides along the picture with the clock and never leaves it.
    float lastTop = -1.0f;
    for (uint32_t clock = 5000; clock < 5300; clock += 7) {
        SetGameClockForTests(clock);
        const auto column = VerticesOf(*RunFrame().back());
        for (const RecordedVertex& v : column) ASSERT_TRUE(v.v >= 0.0f && v.v <= 1.0f) << clock;
        ASSERT_LT(column[0].v, column[1].v) << clock;   // the top edge shows the band's start
        EXPECT_NE(column[0].v, lastTop) << clock;
        lastTop = column[0].v;
    }
}

}  // namespace
