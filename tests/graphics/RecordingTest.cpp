#include "RecordedFrame.h"

namespace {

using Recording = RecordedFrame;

void DrawQuad(Graphics& graphics)
{
    const ScreenVertex corners[4] = {{0, 0, 0, 0xffffffff, 0, 0}, {10, 0, 0, 0xffffffff, 1, 0},
                                     {10, 10, 0, 0xffffffff, 1, 1}, {0, 10, 0, 0xffffffff, 0, 1}};
    graphics.DrawScreenQuad(corners, 7);   // 7: keep the blending as it is
}

}  // namespace

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
    DrawQuad(graphics);
    DrawQuad(graphics);

    const std::pair<uint8_t, bool> expected[] = {{BlendOpaque, false}, {BlendAlpha, true}, {BlendOpaque, true},
        {BlendAdditive, true}, {BlendOpaque, true}, {BlendAlpha, true}, {BlendOpaque, true}};
    ASSERT_EQ(DrawCount(), std::size(expected));
    for (size_t i = 0; i < DrawCount(); ++i) {
        EXPECT_EQ(Draw(i).state.blend, expected[i].first) << i;
        EXPECT_EQ(Draw(i).state.alphaTest, expected[i].second) << i;
    }
}

TEST_F(Recording, FacesCarryTheirWorldTranslationColourAndCombine)
{
    // Out of the box world colours are lit by no light (black) and alpha comes from the texture.
    graphics.DrawFace(1);
    EXPECT_EQ(VerticesOf(Draw(0))[0].colour, 0x7f000000u);
    EXPECT_EQ(Draw(0).state.alphaCombine, CombineTexture);

    graphics.SetRenderState(RenderState::Lighting, 0);
    graphics.SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
    graphics.SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
    graphics.SetWorldTranslation(15.0f, 10.0f, 25.0f);
    graphics.DrawFace(4);
    graphics.DrawFace(6);    // faces outside the block draw nothing
    graphics.DrawFace(-1);
    ASSERT_EQ(DrawCount(), 2u);
    EXPECT_EQ(Draw(1).detail, 4);
    EXPECT_EQ(Draw(1).state.alphaCombine, CombineModulate);
    const auto vertices = VerticesOf(Draw(1));
    ASSERT_EQ(vertices.size(), 6u);   // a fan of four corners: two triangles
    for (const RecordedVertex& v : vertices) {
        EXPECT_FLOAT_EQ(v.y, 15.0f);
        EXPECT_TRUE(v.x == 10.0f || v.x == 20.0f);
        EXPECT_TRUE(v.z == 20.0f || v.z == 30.0f);
        EXPECT_EQ(v.colour, 0x7fffffffu);
    }
}

TEST_F(Recording, PrimitivesBecomeTrianglesWithTheirWorldMatrix)
{
    const WorldVertex strip[5] = {{0, 0, 0, 1, 0, 0}, {1, 0, 0, 2, 0, 0}, {0, 1, 0, 3, 0, 0},
                                  {1, 1, 0, 4, 0, 0}, {0, 2, 0, 5, 0, 0}};
    glm::mat4 scaleTwo(2.0f);
    scaleTwo[3][3] = 1.0f;
    graphics.SetWorldMatrix(scaleTwo);
    graphics.DrawWorldPrimitive(PrimitiveType::TriangleStrip, strip, 5);
    graphics.DrawWorldPrimitive(PrimitiveType::TriangleFan, strip, 2);   // too few: nothing
    graphics.DrawWorldPrimitive(PrimitiveType::TriangleList, strip, 5);  // one whole triangle

    ASSERT_EQ(DrawCount(), 2u);
    const auto vertices = VerticesOf(Draw(0));
    ASSERT_EQ(vertices.size(), 9u);
    // Scaled by two; the odd strip triangle keeps the winding of the first: 1, 3, 2.
    const float expected[9][2] = {{0, 0}, {2, 0}, {0, 2}, {2, 0}, {2, 2}, {0, 2}, {0, 2}, {2, 2}, {0, 4}};
    for (size_t i = 0; i < 9; ++i) EXPECT_TRUE(vertices[i].x == expected[i][0] && vertices[i].y == expected[i][1]) << i;
    EXPECT_EQ(VerticesOf(Draw(1)).size(), 3u);
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
    EXPECT_EQ(batches[0].drawCount, 18u);
    EXPECT_EQ(batches[0].textureGroup, sameSize[4].Group());
    EXPECT_EQ(batches[1].firstDraw, 18u);
    EXPECT_EQ(batches[1].drawCount, 2u);
    EXPECT_EQ(batches[1].textureGroup, otherSize.Group());
    EXPECT_EQ(batches[2].state.blend, BlendAlpha);
    EXPECT_EQ(batches[2].textureGroup, sameSize[0].Group());   // an untextured start takes the group
    uint32_t expectedVertex = 0;
    for (const DrawBatch& batch : batches) {
        EXPECT_EQ(batch.firstVertex, expectedVertex);
        expectedVertex += batch.vertexCount;
    }
    EXPECT_EQ(expectedVertex, graphics.Recording().Vertices().size());
}
