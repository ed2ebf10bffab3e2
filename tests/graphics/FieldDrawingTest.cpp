#include "RecordedFrame.h"

#include "field/Field.h"

#include <array>
#include <cmath>
#include <map>
#include <set>

// The field keeps its surface textures to itself; the tests read them through this friend.
class FieldTestAccess {
public:
    static const Texture* Surface(const Field& field, int index) { return field.textures[index]; }
};

namespace {

struct FaceDraw {
    const Texture* texture;
    DrawState state;
    float top;      // highest y of the face, world units
    size_t order;   // place among the frame's faces
};
using FaceKey = std::array<int, 4>;   // row, layer, col, face

class FieldDrawing : public RecordedFrame {
protected:
    void SetUp() override
    {
        RecordedFrame::SetUp();
        field = std::make_unique<Field>(&graphics);
    }

    // Every block face of one frame by its cell: a face's centre lies 5 units from its box
    // centre, which is (row * 10 + 5, layer * 5, col * 10 + 5). The frame before is seen from
    // `earlier`, this one from `eye`; the eye at the field's corner touches a block.
    std::map<FaceKey, FaceDraw> DrawField(Vec3 earlier = {}, Vec3 eye = {})
    {
        static const float offset[5][3] = {{0, 0, -5}, {0, 0, 5}, {-5, 0, 0}, {5, 0, 0}, {0, 5, 0}};
        graphics.SetEye(earlier);
        graphics.BeginFrame();
        graphics.EndFrame();
        graphics.SetEye(eye);
        graphics.BeginFrame();
        field->Draw(true);
        graphics.EndFrame();
        std::map<FaceKey, FaceDraw> faces;
        for (const RecordedDraw* draw : DrawsOf(DrawKind::Face)) {
            const Span s = SpanOf(*draw);
            const auto cell = [&](float low, float high, int axis, float size) {
                return static_cast<int>(std::floor(((low + high) / 2 - offset[draw->detail][axis]) / size));
            };
            // A side face may be drawn as its lower half only: its bottom edge tells its cell.
            const float high = draw->detail < 4 ? s.low.y + 10 : s.high.y;
            const FaceKey key = {cell(s.low.x, s.high.x, 0, 10), cell(s.low.y, high, 1, 5),
                                 cell(s.low.z, s.high.z, 2, 10), draw->detail};
            EXPECT_TRUE(faces.emplace(key, FaceDraw{draw->texture, draw->state, s.high.y, faces.size()}).second);
        }
        return faces;
    }

    const Texture* Surface(int index) const { return FieldTestAccess::Surface(*field, index); }

    std::unique_ptr<Field> field;
};

}  // namespace

// Far-apart cells of one field: a lone block, a covered and an open magic circle, a block at
// the edge and one floating at the top layer. Faces 0..3 look toward col - 1, col + 1, row - 1
// and row + 1, face 4 up; the surfaces are 0 block top, 1 circle top, 2 side of a column's top
// cell, 3 side of a cell below.
TEST_F(FieldDrawing, OnlyFacesOpenToTheAirAndEdgeFacesAreDrawn)
{
    const std::array<int, 4> stones[] = {{10, 1, 10, CellBlock}, {5, 1, 5, CellMagicCircle}, {5, 2, 5, CellBlock},
        {7, 1, 7, CellMagicCircle}, {0, 1, 3, CellBlock}, {19, 7, 19, CellBlock}};   // row, layer, col, cell
    for (const auto& [row, layer, col, cell] : stones) field->SetCell(row, layer, col, static_cast<int8_t>(cell));
    const auto faces = DrawField();

    const struct { int row, layer, col; std::string drawn; int side, top; } cells[] = {
        {10, 1, 10, "01234", 2, 0},   // the lone block
        {10, 0, 10, "", 0, 0},        // the floor under it
        {10, 0, 9, "4", 0, 0},        // the floor beside it
        {5, 1, 5, "0123", 3, 0},      // the covered circle
        {5, 2, 5, "01234", 2, 0},     // the block on it
        {7, 1, 7, "01234", 2, 1},     // the open circle
        {0, 0, 3, "2", 3, 0},         // the floor at the edge under a block shows its outer face
        {0, 1, 3, "01234", 2, 0},
        {1, 0, 3, "4", 0, 0},         // its inner neighbour is hidden by row 0's floor
        {19, 7, 19, "01234", 2, 0},
        {19, 0, 19, "134", 2, 0},
    };
    for (const auto& c : cells) {
        std::string drawn;
        for (int face = 0; face <= 4; ++face) {
            const auto found = faces.find({c.row, c.layer, c.col, face});
            if (found == faces.end()) continue;
            drawn += static_cast<char>('0' + face);
            EXPECT_EQ(found->second.texture, Surface(face == 4 ? c.top : c.side)) << c.row << "," << c.layer << "," << c.col;
            EXPECT_EQ(found->second.state.blend, BlendOpaque);
        }
        EXPECT_EQ(drawn, c.drawn) << c.row << "," << c.layer << "," << c.col;
    }
    EXPECT_FLOAT_EQ(faces.at({10, 1, 10, 4}).top, 10.0f);   // the top of the box at layer 1
    // The cells of a column overlap in their side planes, where the later draw shows: the upper
    // cell's sides must come after the lower one's.
    for (int side = 0; side < 4; ++side) EXPECT_GT(faces.at({5, 2, 5, side}).order, faces.at({5, 1, 5, side}).order);
}

// A bare floor shows every top, the outer sides and the ring: 564 faces.
TEST_F(FieldDrawing, WallRingSurroundsTheFieldTranslucentAndBelowTheFloor)
{
    const auto faces = DrawField();
    std::set<std::pair<int, int>> ring;
    for (const auto& [key, face] : faces) {
        if (face.texture != Surface(4)) continue;
        EXPECT_TRUE(key[3] == 4 && face.top == 4.0f);
        EXPECT_TRUE(face.state.blend == BlendAlpha && face.state.alphaTest);
        EXPECT_TRUE(key[0] < 0 || key[0] > 19 || key[2] < 0 || key[2] > 19);
        EXPECT_GE(face.order, 480u) << "the ring comes last";
        ring.insert({key[0], key[2]});
    }
    EXPECT_EQ(ring.size(), 84u);
    EXPECT_EQ(faces.size(), 400u + 80u + 84u);
    graphics.DrawFace(0);
    EXPECT_EQ(LastDraw().state.blend, BlendOpaque) << "the field leaves blending off behind it";
}

// The lone block at row 10, col 10 spans x and z 100..110, y 0..10; the floor's tops lie at
// y = 5. Seen from outside every block, a face turned away from the eye is left out, the field's
// outer faces included; seen from inside a block, from near one, from below an underside that
// nothing covers, or across a plane that the frame before saw from the front, it is drawn.
TEST_F(FieldDrawing, FacesTurnedAwayAreLeftOutOnlyWhereTheBlocksHideThem)
{
    field->SetCell(10, 1, 10, CellBlock);
    const auto shown = [&](const std::map<FaceKey, FaceDraw>& faces, int row, int layer, int col) {
        std::string drawn;
        for (int face = 0; face <= 4; ++face)
            if (faces.count({row, layer, col, face}) != 0) drawn += static_cast<char>('0' + face);
        return drawn;
    };
    const size_t everyFace = DrawField().size();

    const Vec3 outside{50, 20, 50};
    auto faces = DrawField(outside, outside);
    EXPECT_EQ(shown(faces, 10, 1, 10), "024");
    EXPECT_EQ(shown(faces, 0, 0, 0), "4") << "the field's outer faces are turned away";
    EXPECT_EQ(shown(faces, 19, 0, 19), "4");
    EXPECT_EQ(faces.size(), everyFace - 2 - 80);

    const Vec3 inside{105, 8, 105}, near{99.95f, 8, 105};
    EXPECT_EQ(DrawField(inside, inside).size(), everyFace);
    EXPECT_EQ(DrawField(near, near).size(), everyFace);
    EXPECT_EQ(DrawField(outside, inside).size(), everyFace);

    const Vec3 far{1e30f, 20, 50};   // only the sides toward +x and the tops face it
    EXPECT_EQ(DrawField(far, far).size(), everyFace - 3 * 20 - 2);

    faces = DrawField({112, 20, 90}, {108, 20, 90});
    EXPECT_EQ(shown(faces, 10, 1, 10), "034") << "face 3 faced the eye of the frame before";
    faces = DrawField({98, 20, 109}, {106, 20, 109});
    EXPECT_EQ(shown(faces, 10, 1, 10), "124") << "an orbit's arc between the eyes may pass in front of face 1";

    field->SetCell(3, 6, 3, CellBlock);   // over a gap two cells deep: its underside at y = 25 is open
    EXPECT_EQ(DrawField(outside, outside).size(), everyFace + 5);
    field->SetCell(3, 4, 3, CellBlock);   // the top of a block two cells below covers it
    EXPECT_LT(DrawField(outside, outside).size(), everyFace);
}
