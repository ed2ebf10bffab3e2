#include "RecordedFrame.h"

#include "graphics/Font.h"

using Text = RecordedFrame;

// Text is drawn over everything, blended, in the colour asked; a line feed starts the next line
// at x, one cell height (20 for this font) below. That glyphs are cut at the picture's edge the
// stage banner's test sees, and that they reach the picture, the screenshots of a whole game.
TEST_F(Text, LineFeedStartsTheNextLineAtXOneCellBelow)
{
    Font font(&graphics);
    font.SetFaceName("Courier");
    font.SetParam(Font::ParamHeight, 20);
    font.SetParam(Font::ParamWeight, 700);
    ASSERT_TRUE(font.Create()) << "the Courier-metric face of fonts-urw-base35 is needed";
    font.Draw("AB\nAD", 65, 320, 0x80ff8000);
    std::vector<Span> glyphs;
    for (const RecordedDraw* draw : DrawsOf(DrawKind::Text)) glyphs.push_back(SpanOf(*draw));

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
