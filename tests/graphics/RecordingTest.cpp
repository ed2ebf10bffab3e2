#include "graphics/Graphics.h"
#include "graphics/Texture.h"
#include "platform/DecodedImage.h"
#include "shell/Settings.h"

#include <gtest/gtest.h>

namespace {

// A recorded frame on a Graphics with no renderer, ready for draws.
class Recording : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunSettings settings;
        settings.render = false;   // record only, as --no-render runs do
        SetSettings(settings);
        ASSERT_TRUE(graphics.CreateDevice());
        ASSERT_FALSE(graphics.HasRenderer());
        graphics.BeginFrame();
    }

    const RecordedDraw& Draw(size_t index) const { return graphics.Recording().Draws().at(index); }
    size_t DrawCount() const { return graphics.Recording().Draws().size(); }

    void DrawQuad()
    {
        const ScreenVertex corners[4] = {{0, 0, 0, 0xffffffff, 0, 0}, {10, 0, 0, 0xffffffff, 1, 0},
                                         {10, 10, 0, 0xffffffff, 1, 1}, {0, 10, 0, 0xffffffff, 0, 1}};
        graphics.DrawScreenQuad(corners, 7);   // 7: keep the blending as it is
    }

    Graphics graphics;
};

platform::DecodedImage Pixels(int side)
{
    platform::DecodedImage image;
    image.width = side;
    image.height = side;
    image.pixels.assign(static_cast<size_t>(side) * side, 0xffffffffu);
    return image;
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
    DrawQuad();
    DrawQuad();

    const std::pair<uint8_t, bool> expected[] = {{BlendOpaque, false}, {BlendAlpha, true}, {BlendOpaque, true},
        {BlendAdditive, true}, {BlendOpaque, true}, {BlendAlpha, true}, {BlendOpaque, true}};
    ASSERT_EQ(DrawCount(), std::size(expected));
    for (size_t i = 0; i < DrawCount(); ++i) {
        EXPECT_EQ(Draw(i).state.blend, expected[i].first) << i;
        EXPECT_EQ(Draw(i).state.alphaTest, expected[i].second) << i;
    }
    EXPECT_TRUE(Draw(3).state.screenSpace);
}

TEST_F(Recording, FacesCarryTheirWorldTranslationAndColour)
{
    graphics.SetRenderState(RenderState::Lighting, 0);
    graphics.SetWorldTranslation(15.0f, 10.0f, 25.0f);
    graphics.DrawFace(4);
    graphics.DrawFace(6);    // faces outside the block draw nothing
    graphics.DrawFace(-1);
    ASSERT_EQ(DrawCount(), 1u);
    EXPECT_EQ(Draw(0).kind, DrawKind::Face);
    EXPECT_EQ(Draw(0).state.cullMode, CullNone);   // device creation turned culling off
    EXPECT_EQ(Draw(0).detail, 4);
    const auto vertices = graphics.Recording().VerticesOf(Draw(0));
    ASSERT_EQ(vertices.size(), 6u);   // a fan of four corners: two triangles
    for (const RecordedVertex& v : vertices) {
        EXPECT_FLOAT_EQ(v.y, 15.0f);
        EXPECT_TRUE(v.x == 10.0f || v.x == 20.0f);
        EXPECT_TRUE(v.z == 20.0f || v.z == 30.0f);
        EXPECT_EQ(v.colour, 0x7fffffffu);
    }
    // The fan's first corner opens both triangles.
    EXPECT_FLOAT_EQ(vertices[0].x, 10.0f);
    EXPECT_FLOAT_EQ(vertices[0].z, 30.0f);
    EXPECT_FLOAT_EQ(vertices[3].x, vertices[0].x);
    EXPECT_FLOAT_EQ(vertices[3].z, vertices[0].z);
}

TEST_F(Recording, StatesTheGameSetsReachEveryDraw)
{
    // Out of the box world colours are lit by no light (black).
    graphics.DrawFace(1);
    EXPECT_EQ(graphics.Recording().VerticesOf(Draw(0))[0].colour, 0x7f000000u);
    EXPECT_EQ(Draw(0).state.alphaCombine, CombineTexture);

    graphics.SetRenderState(RenderState::Lighting, 0);
    graphics.SetRenderState(RenderState::DepthTest, 0);
    graphics.SetRenderState(RenderState::CullMode, CullClockwise);
    graphics.SetTextureStageState(0, TextureStageState::AlphaOperation, TextureOperationModulate);
    graphics.SetTextureStageState(0, TextureStageState::AlphaArgument2, TextureArgumentDiffuse);
    graphics.SetTextureStageState(1, TextureStageState::ColourOperation, TextureOperationDisable);
    graphics.SetTextureFilter(true);
    graphics.DrawFace(1);
    EXPECT_EQ(graphics.Recording().VerticesOf(Draw(1))[0].colour, 0x7fffffffu);
    EXPECT_FALSE(Draw(1).state.depthTest);
    EXPECT_EQ(Draw(1).state.cullMode, CullClockwise);
    EXPECT_EQ(Draw(1).state.alphaCombine, CombineModulate);
    EXPECT_EQ(Draw(1).state.colourCombine, CombineModulate);
    EXPECT_TRUE(Draw(1).state.linearFilter);
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
    const auto vertices = graphics.Recording().VerticesOf(Draw(0));
    ASSERT_EQ(vertices.size(), 9u);
    EXPECT_FLOAT_EQ(vertices[3].y, 0.0f);   // the second triangle starts at vertex 1, scaled
    EXPECT_FLOAT_EQ(vertices[3].x, 2.0f);
    // The odd strip triangle keeps the winding of the first: its last two corners swap.
    EXPECT_FLOAT_EQ(vertices[4].x, 2.0f);
    EXPECT_FLOAT_EQ(vertices[4].y, 2.0f);
    EXPECT_FLOAT_EQ(vertices[5].y, 2.0f);
    EXPECT_FLOAT_EQ(vertices[5].x, 0.0f);
    EXPECT_EQ(graphics.Recording().VerticesOf(Draw(1)).size(), 3u);
}

TEST_F(Recording, BatchesMergeNeighboursAndKeepOrder)
{
    graphics.SetRenderState(RenderState::Lighting, 0);
    Texture sameSize[9];
    for (Texture& texture : sameSize) texture.LoadFromImage(nullptr, Pixels(1), 1, 1);
    Texture otherSize;
    otherSize.LoadFromImage(nullptr, Pixels(2), 2, 2);
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
    EXPECT_EQ(graphics.LastFrameDrawCalls(), 3);
    EXPECT_EQ(batches[0].drawCount, 18u);
    EXPECT_EQ(batches[0].textureGroup, sameSize[4].Group());
    EXPECT_EQ(batches[1].firstDraw, 18u);
    EXPECT_EQ(batches[1].drawCount, 2u);
    EXPECT_EQ(batches[1].textureGroup, otherSize.Group());
    EXPECT_EQ(batches[2].state.blend, BlendAlpha);
    EXPECT_EQ(batches[2].textureGroup, sameSize[0].Group());   // an untextured start takes the group
    EXPECT_NE(sameSize[0].Key(), sameSize[1].Key());
    uint32_t expectedVertex = 0;
    for (const DrawBatch& batch : batches) {
        EXPECT_EQ(batch.firstVertex, expectedVertex);
        expectedVertex += batch.vertexCount;
    }
    EXPECT_EQ(expectedVertex, graphics.Recording().Vertices().size());

    graphics.BeginFrame();   // every frame starts an empty list
    EXPECT_EQ(DrawCount(), 0u);
}
