#include "RecordedFrame.h"

#include "graphics/Font.h"

namespace {

class Text : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        ASSERT_TRUE(MakeCourier(font)) << "the Courier-metric face of fonts-urw-base35 is needed";
    }

    static bool MakeCourier(Font& courier)
    {
        courier.SetFaceName("Courier");
        courier.SetParam(Font::ParamHeight, 20);
        courier.SetParam(Font::ParamWeight, 700);
        return courier.Create();
    }

    // The glyphs of one text run: each quad's pixel span, in drawing order.
    std::vector<Span> DrawAndRead(const char* text, int x, int y, uint32_t colour = 0xffffffff)
    {
        graphics.BeginFrame();
        font.Draw(text, x, y, colour);
        std::vector<Span> glyphs;
        for (const RecordedDraw* draw : DrawsOf(DrawKind::Text)) glyphs.push_back(SpanOf(*draw));
        return glyphs;
    }

    Font font{&graphics};
};

}  // namespace

TEST_F(Text, LineFeedStartsTheNextLineAtXInTheCellHeightBelow)
{
    const auto glyphs = DrawAndRead("AB\nAD", 65, 320, 0x80ff8000);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_EQ(Draw(2).detail, 'A');
    EXPECT_FLOAT_EQ(glyphs[2].low.x, glyphs[0].low.x);
    EXPECT_FLOAT_EQ(glyphs[2].low.y - glyphs[0].low.y, 20.0f);
    EXPECT_GT(glyphs[1].low.x, glyphs[0].low.x);
    EXPECT_GE(glyphs[0].low.y, 319.5f);
    for (size_t i = 0; i < glyphs.size(); ++i) EXPECT_EQ(VerticesOf(Draw(i))[0].colour, 0x80ff8000u);
    EXPECT_EQ(Draw(0).state.blend, BlendAlpha);
    EXPECT_FALSE(Draw(0).state.depthTest || Draw(0).state.alphaTest);
}

TEST_F(Text, LongLinesAreCutAtThePictureEdgesNotWrapped)
{
    const auto glyphs = DrawAndRead("MMMMMMMMMMMMMMMMMMMMMMMM", 560, 470);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_LT(glyphs.size(), 24u);
    for (const Span& glyph : glyphs) {
        EXPECT_LE(glyph.high.x, 639.5f);
        EXPECT_LE(glyph.high.y, 479.5f);
        EXPECT_GE(glyph.low.y, 469.5f);   // nothing wrapped onto another line
    }
    EXPECT_TRUE(DrawAndRead("A", 700, 10).empty());
    EXPECT_TRUE(DrawAndRead("A", 10, 480).empty());
}

// Every screen makes its own fonts: fonts of one description share one atlas of glyphs.
TEST_F(Text, FontsOfOneDescriptionShareTheirGlyphs)
{
    Font twin(&graphics);
    ASSERT_TRUE(MakeCourier(twin));
    graphics.BeginFrame();
    font.Draw("A", 0, 0, 0xffffffff);
    twin.Draw("A", 0, 40, 0xffffffff);
    ASSERT_EQ(DrawCount(), 2u);
    EXPECT_EQ(Draw(0).texture, Draw(1).texture);
}
