#include "RecordedFrame.h"

using Recording = RecordedFrame;

// Translucent modes leave the alpha test on for later opaque draws; screen quads set their own
// blending, leave the alpha test as it was and switch blending off after; an unknown sprite
// mode keeps whatever blending is on.
TEST_F(Recording, BlendingAndTheAlphaTestFollowTheModesSet)
{
    const ScreenVertex corners[4] = {};
    graphics.DrawFace(4);
    graphics.SetBlendMode(BlendAlpha);
    graphics.DrawFace(4);
    graphics.SetBlendMode(BlendOpaque);
    graphics.DrawFace(4);
    graphics.DrawScreenQuad(corners, BlendAdditive);
    graphics.DrawFace(0);
    graphics.SetBlendMode(BlendAlpha);
    graphics.DrawScreenQuad(corners, 7);   // 7: keep the blending as it is
    graphics.DrawScreenQuad(corners, 7);

    const std::pair<uint8_t, bool> expected[] = {{BlendOpaque, false}, {BlendAlpha, true}, {BlendOpaque, true},
        {BlendAdditive, true}, {BlendOpaque, true}, {BlendAlpha, true}, {BlendOpaque, true}};
    ASSERT_EQ(DrawCount(), std::size(expected));
    for (size_t i = 0; i < DrawCount(); ++i) {
        EXPECT_EQ(Draw(i).state.blend, expected[i].first) << i;
        EXPECT_EQ(Draw(i).state.alphaTest, expected[i].second) << i;
    }
}

// Where faces land is read back by the ruin's drawing tests; here, what they carry with the
// states the game sets at start-up (no lighting, alpha from texture times vertex).
TEST_F(Recording, FacesAreWhiteAtHalfAlphaAndOnlyFacesOfTheBlockAreDrawn)
{
    graphics.SetRenderState(RenderState::Lighting, 0);
    graphics.SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
    graphics.SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
    graphics.DrawFace(4);
    graphics.DrawFace(6);    // faces outside the block draw nothing
    graphics.DrawFace(-1);
    ASSERT_EQ(DrawCount(), 1u);
    EXPECT_EQ(Draw(0).state.alphaCombine, CombineModulate);
    ASSERT_EQ(VerticesOf(Draw(0)).size(), 6u);   // a fan of four corners: two triangles
    for (const RecordedVertex& v : VerticesOf(Draw(0))) EXPECT_EQ(v.colour, 0x7fffffffu);
}

TEST_F(Recording, BatchesMergeNeighboursAndKeepOrder)
{
    graphics.SetRenderState(RenderState::Lighting, 0);
    Texture sameSize[9];
    for (Texture& texture : sameSize) LoadBlank(texture, 1, 1);
    Texture otherSize;
    LoadBlank(otherSize, 2, 2);
    Texture empty;

    // Pictures of one size share a draw call however many there are; untextured draws join it.
    for (Texture& texture : sameSize) {
        graphics.SetTexture(&texture);
        graphics.DrawFace(4);
        graphics.SetTexture(&empty);   // nothing loaded: draws untextured
        graphics.DrawFace(4);
    }
    graphics.SetTexture(&otherSize);
    graphics.DrawFace(4);
    graphics.SetTexture(nullptr);
    graphics.DrawFace(4);
    graphics.SetBlendMode(BlendAlpha);
    graphics.DrawFace(4);
    graphics.SetTexture(&sameSize[0]);
    graphics.DrawFace(4);

    graphics.EndFrame();
    const auto batches = BatchFrame(graphics.Recording());
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_TRUE(batches[0].drawCount == 18u && batches[0].textureGroup == sameSize[4].Group());
    EXPECT_TRUE(batches[1].firstDraw == 18u && batches[1].drawCount == 2u && batches[1].textureGroup == otherSize.Group());
    // An untextured start takes the group of the textured draws that follow.
    EXPECT_TRUE(batches[2].state.blend == BlendAlpha && batches[2].textureGroup == sameSize[0].Group());
}

// A menu over a paused game draws into the overlay: the game's frame keeps its draws and its
// states for the next frame. A change of the texture filtering reaches the frame already drawn,
// text excepted (always nearest).
TEST_F(Recording, AnOverlayLeavesTheFrameAsTheGameDrewItAndARefilterSparesText)
{
    const ScreenVertex corners[4] = {};
    graphics.SetBlendMode(BlendAlpha);
    graphics.DrawFace(4);
    graphics.DrawTextQuad(nullptr, corners, 'A');
    graphics.BeginOverlay();
    graphics.DrawPlainRectangle(0, 0, 640, 480, 0x80000000u);
    graphics.DrawTextQuad(nullptr, corners, 'B');
    graphics.EndOverlay();
    graphics.DrawFace(5);

    ASSERT_EQ(DrawCount(), 3u);
    EXPECT_EQ(Draw(2).state.blend, BlendAlpha) << "the game's blending survived the overlay";
    ASSERT_EQ(graphics.Overlay().Draws().size(), 2u);
    EXPECT_EQ(graphics.Overlay().Draws()[1].detail, 'B');
    EXPECT_FALSE(graphics.Overlay().Draws()[0].state.depthTest);

    graphics.RefilterDrawnFrames(true);
    EXPECT_TRUE(Draw(0).state.linearFilter);
    EXPECT_FALSE(Draw(1).state.linearFilter) << "text stays nearest";
    graphics.ClearOverlay();
    EXPECT_TRUE(graphics.Overlay().Draws().empty());
}
