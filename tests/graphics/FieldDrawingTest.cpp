#include "RecordedFrame.h"

#include "core/Random.h"
#include "field/Field.h"

#include <algorithm>
#include <optional>
#include <set>
#include <tuple>

// The field keeps its surface textures to itself; the tests read them through this friend.
class FieldTestAccess {
public:
    static const Texture* Surface(const Field& field, int index) { return field.textures[index]; }
};

namespace {

struct FaceDraw {
    int row, layer, col, face;
    const Texture* texture;
    DrawState state;
    float top;   // highest y of the face, world units
};

// Reads every recorded block face back into grid terms: the face's centre (the mean of its two
// triangles' corners) lies 5 units from its box centre, which is (row * 10 + 5, layer * 5, col * 10 + 5).
std::vector<FaceDraw> FaceDraws(const Graphics& graphics)
{
    static const float offset[5][3] = {{0, 0, -5}, {0, 0, 5}, {-5, 0, 0}, {5, 0, 0}, {0, 5, 0}};
    std::vector<FaceDraw> faces;
    for (const RecordedDraw& draw : graphics.Recording().Draws()) {
        if (draw.kind != DrawKind::Face) continue;
        const auto vertices = graphics.Recording().VerticesOf(draw);
        float centre[3] = {0, 0, 0}, top = -1e9f, bottom = 1e9f;
        for (const RecordedVertex& v : vertices) {
            const float p[3] = {v.x, v.y, v.z};
            for (int axis = 0; axis < 3; ++axis) centre[axis] += p[axis];
            top = std::max(top, v.y);
            bottom = std::min(bottom, v.y);
        }
        for (int axis = 0; axis < 3; ++axis) centre[axis] = centre[axis] / vertices.size() - offset[draw.detail][axis];
        if (draw.detail < 4) centre[1] = bottom + 5.0f;   // a side face may be drawn as its lower half only
        faces.push_back({static_cast<int>(std::floor(centre[0] / 10.0f)), static_cast<int>(std::floor(centre[1] / 5.0f)),
                         static_cast<int>(std::floor(centre[2] / 10.0f)), draw.detail, draw.texture, draw.state, top});
    }
    return faces;
}

class FieldDrawing : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        field = std::make_unique<Field>(&graphics);
    }

    std::vector<FaceDraw> DrawField(bool drawCells = true)
    {
        graphics.BeginFrame();
        field->Draw(drawCells);
        graphics.EndFrame();
        return FaceDraws(graphics);
    }

    const Texture* Surface(int index) const { return FieldTestAccess::Surface(*field, index); }

    static std::vector<FaceDraw> At(const std::vector<FaceDraw>& faces, int row, int layer, int col)
    {
        std::vector<FaceDraw> found;
        for (const FaceDraw& face : faces) {
            if (face.row == row && face.layer == layer && face.col == col) found.push_back(face);
        }
        return found;
    }

    static std::optional<FaceDraw> Find(const std::vector<FaceDraw>& faces, int row, int layer, int col, int face)
    {
        for (const FaceDraw& d : At(faces, row, layer, col)) {
            if (d.face == face) return d;
        }
        return std::nullopt;
    }

    std::unique_ptr<Field> field;
};

}  // namespace

// Far-apart cells of one field: a lone block, a covered and an open magic circle, a block at
// the edge and one floating at the top layer.
TEST_F(FieldDrawing, OnlyFacesOpenToTheAirAndEdgeFacesAreDrawn)
{
    field->SetCell(10, 1, 10, CellBlock);
    field->SetCell(5, 1, 5, CellMagicCircle);
    field->SetCell(5, 2, 5, CellBlock);
    field->SetCell(7, 1, 7, CellMagicCircle);
    field->SetCell(0, 1, 3, CellBlock);
    field->SetCell(19, 7, 19, CellBlock);
    const std::vector<FaceDraw> faces = DrawField();

    const auto block = At(faces, 10, 1, 10);
    ASSERT_EQ(block.size(), 5u);
    for (const FaceDraw& face : block) {
        EXPECT_EQ(face.texture, Surface(face.face == 4 ? 0 : 2)) << face.face;
        EXPECT_EQ(face.state.blend, BlendOpaque);
    }
    EXPECT_FLOAT_EQ(Find(faces, 10, 1, 10, 4)->top, 10.0f);   // top of the box at layer 1
    // The floor under it is covered and hidden; the floor beside it shows its top only.
    EXPECT_TRUE(At(faces, 10, 0, 10).empty());
    const auto beside = At(faces, 10, 0, 9);
    ASSERT_EQ(beside.size(), 1u);
    EXPECT_EQ(beside[0].face, 4);
    EXPECT_EQ(beside[0].texture, Surface(0));

    // A covered magic circle shows only its sides, in the inner surface.
    const auto covered = At(faces, 5, 1, 5);
    ASSERT_EQ(covered.size(), 4u);
    for (const FaceDraw& face : covered) EXPECT_TRUE(face.face != 4 && face.texture == Surface(3)) << face.face;
    EXPECT_EQ(Find(faces, 5, 2, 5, 4)->texture, Surface(0));
    EXPECT_EQ(Find(faces, 5, 2, 5, 0)->texture, Surface(2));
    EXPECT_EQ(Find(faces, 7, 1, 7, 4)->texture, Surface(1));

    // Edge cells always show their outer face.
    ASSERT_TRUE(Find(faces, 0, 0, 3, 2).has_value());
    EXPECT_EQ(Find(faces, 0, 0, 3, 2)->texture, Surface(3));   // under the block: an inner cell
    EXPECT_TRUE(Find(faces, 0, 1, 3, 2).has_value());
    EXPECT_FALSE(Find(faces, 1, 0, 3, 2).has_value());         // hidden by row 0's floor
    EXPECT_EQ(At(faces, 19, 7, 19).size(), 5u);
    EXPECT_TRUE(Find(faces, 19, 0, 19, 3).has_value() && Find(faces, 19, 0, 19, 1).has_value());
}

TEST_F(FieldDrawing, WallRingSurroundsTheFieldTranslucentAndBelowTheFloor)
{
    const std::vector<FaceDraw> faces = DrawField();
    std::set<std::pair<int, int>> ring;
    for (const FaceDraw& face : faces) {
        if (face.texture != Surface(4)) continue;
        EXPECT_EQ(face.face, 4);
        EXPECT_FLOAT_EQ(face.top, 4.0f);
        EXPECT_EQ(face.state.blend, BlendAlpha);
        EXPECT_TRUE(face.state.alphaTest);
        EXPECT_TRUE(face.row < 0 || face.row > 19 || face.col < 0 || face.col > 19);
        ring.insert({face.row, face.col});
    }
    EXPECT_EQ(ring.size(), 84u);
    EXPECT_EQ(faces.size(), 400u + 80u + 84u);   // bare floor: every top, the outer sides, the ring
    // The ring comes last, and the field leaves blending off behind it.
    EXPECT_EQ(faces.back().texture, Surface(4));
    graphics.BeginFrame();
    field->Draw(true);
    graphics.DrawFace(0);
    EXPECT_EQ(LastDraw().state.blend, BlendOpaque);
    EXPECT_TRUE(LastDraw().state.alphaTest);
}

TEST_F(FieldDrawing, CellsAreVisitedRowLayerColumnAndTakeAHandfulOfDrawCalls)
{
    SharedRandom().Seed(20240);
    field->Generate();
    const std::vector<FaceDraw> faces = DrawField();
    std::vector<std::tuple<int, int, int>> order;
    for (const FaceDraw& face : faces) {
        if (face.texture != Surface(4)) order.emplace_back(face.row, face.layer, face.col);
    }
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    EXPECT_GT(faces.size(), 500u);
    EXPECT_LE(graphics.LastFrameDrawCalls(), 4);

    // Without cells only the sky is drawn, at the far plane.
    DrawField(false);
    ASSERT_EQ(DrawCount(), 1u);
    EXPECT_EQ(Draw(0).kind, DrawKind::ScreenQuad);
    EXPECT_FLOAT_EQ(graphics.Recording().Vertices()[0].z, 1.0f);
}
