#include "RecordedFrame.h"

#include "graphics/Font.h"
#include "graphics/GlyphAtlas.h"

namespace {

// One drawn glyph as its quad's pixel box.
struct GlyphBox {
    int character;
    float left, top, right, bottom;
    uint32_t colour;
    const Texture* atlas;
};

class Text : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        font.SetFaceName("Courier");
        font.SetParam(Font::ParamHeight, 20);
        font.SetParam(Font::ParamWeight, 700);
        ASSERT_TRUE(font.Create()) << "the Courier-metric face of fonts-urw-base35 is needed";
        atlas = graphics.FindGlyphAtlas("Courier", 20, 700);
    }

    std::vector<GlyphBox> Glyphs() const
    {
        std::vector<GlyphBox> boxes;
        for (const RecordedDraw& draw : graphics.Recording().Draws()) {
            if (draw.kind != DrawKind::Text) continue;
            const auto v = VerticesOf(draw);
            boxes.push_back({draw.detail, v[0].x, v[0].y, v[2].x, v[2].y, v[0].colour, draw.texture});
        }
        return boxes;
    }

    std::vector<GlyphBox> DrawAndRead(const char* text, int x, int y, uint32_t colour = 0xffffffff)
    {
        graphics.BeginFrame();
        font.Draw(text, x, y, colour);
        return Glyphs();
    }

    Font font{&graphics};
    const GlyphAtlas* atlas = nullptr;
};

}  // namespace

TEST_F(Text, LineFeedStartsTheNextLineAtX)
{
    const auto glyphs = DrawAndRead("AB\nAD", 65, 320, 0x80ff8000);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(glyphs[2].character, 'A');
    EXPECT_FLOAT_EQ(glyphs[2].left, glyphs[0].left);
    EXPECT_FLOAT_EQ(glyphs[2].top - glyphs[0].top, 20.0f);   // the cell height
    EXPECT_GT(glyphs[1].left, glyphs[0].left);
    EXPECT_GE(glyphs[0].top, 319.5f);
    for (const GlyphBox& glyph : glyphs) EXPECT_EQ(glyph.colour, 0x80ff8000u);

    EXPECT_EQ(Draw(0).state.blend, BlendAlpha);
    EXPECT_FALSE(Draw(0).state.depthTest);
    EXPECT_FALSE(Draw(0).state.alphaTest);
}

TEST_F(Text, TabsJumpToStopsOfEightAverageWidths)
{
    const int32_t stop = 8 * atlas->AverageWidth();
    ASSERT_GT(stop, 0);
    const float plain = DrawAndRead("X", 100, 100)[0].left;
    EXPECT_FLOAT_EQ(DrawAndRead("\tX", 100, 100)[0].left, plain + stop);
    EXPECT_FLOAT_EQ(DrawAndRead("AB\tX", 100, 100)[2].left, plain + stop);
    EXPECT_FLOAT_EQ(DrawAndRead("ABCDEFGHI\tX", 100, 100)[9].left, plain + 2 * stop);
}

TEST_F(Text, LongLinesAreCutAtThePictureEdgesNotWrapped)
{
    const auto glyphs = DrawAndRead("MMMMMMMMMMMMMMMMMMMMMMMM", 560, 470);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_LT(glyphs.size(), 24u);
    for (const GlyphBox& glyph : glyphs) {
        EXPECT_LE(glyph.right, 639.5f);
        EXPECT_LE(glyph.bottom, 479.5f);
        EXPECT_GE(glyph.top, 469.5f);   // nothing wrapped onto another line
    }
    EXPECT_TRUE(DrawAndRead("A", 700, 10).empty());
    EXPECT_TRUE(DrawAndRead("A", 10, 480).empty());
}

TEST_F(Text, DescriptionRulesAndSharedAtlases)
{
    Font longName(&graphics);
    longName.SetFaceName("An Extraordinarily Long Face Name Beyond Room");
    EXPECT_STREQ(longName.FaceName(), "An Extraordinarily Long Face Na");   // 31 characters kept

    Font twin(&graphics);
    twin.SetFaceName("Courier");
    twin.SetParam(Font::ParamHeight, 20);
    twin.SetParam(Font::ParamWeight, 700);
    ASSERT_TRUE(twin.Create());
    graphics.BeginFrame();
    font.Draw("A", 0, 0, 0xffffffff);
    twin.Draw("A", 0, 40, 0xffffffff);
    const auto glyphs = Glyphs();
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].atlas, glyphs[1].atlas);

    // Released fonts draw nothing.
    twin.Release();
    graphics.BeginFrame();
    twin.Draw("A", 0, 0, 0xffffffff);
    EXPECT_TRUE(Glyphs().empty());

    // A negative height asks for the character (em) height: the cell comes out taller.
    const GlyphAtlas* em = graphics.FindGlyphAtlas("Courier", -20, 700);
    ASSERT_NE(em, nullptr);
    EXPECT_GT(em->LineHeight(), 20);
    EXPECT_EQ(graphics.FindGlyphAtlas("Courier", 0, 700), nullptr);
}
