#include "core/Random.h"
#include "FieldGrids.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <gtest/gtest.h>
#include <vector>

namespace {

bool Inside(int r, int c) { return r >= 0 && r < Field::Rows && c >= 0 && c < Field::Cols; }

// The checkers below are written apart from the builder, from what a figure can do: walk level,
// step one block up or down, and jump two cells straight over a column at most one higher.

// From every column two or more high, can a figure reach a column one high, moving level or
// one block down?
bool EveryRaisedColumnHasWayDown(const Tops& top)
{
    bool grounded[Field::Rows][Field::Cols];
    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c) grounded[r][c] = top[r][c] <= 1;
    for (bool changed = true; changed;) {
        changed = false;
        for (int r = 0; r < Field::Rows; ++r)
            for (int c = 0; c < Field::Cols; ++c)
                for (int dr = -2; dr <= 2 && !grounded[r][c]; ++dr)
                    for (int dc = -2; dc <= 2; ++dc) {
                        const bool jump = std::abs(dr + dc) == 2 && (dr == 0 || dc == 0);
                        const bool step = std::max(std::abs(dr), std::abs(dc)) == 1;
                        const int tr = r + dr, tc = c + dc;
                        if (!(jump || step) || !Inside(tr, tc)) continue;
                        if (jump && top[r + dr / 2][c + dc / 2] >= top[r][c] + 2) continue;
                        const int drop = top[r][c] - top[tr][tc];
                        if ((drop == 0 || drop == 1) && grounded[tr][tc]) changed = grounded[r][c] = true;
                    }
    }
    for (const auto& row : grounded)
        if (std::find(std::begin(row), std::end(row), false) != std::end(row)) return false;
    return true;
}

// Every pit in the floor can be climbed out of: each patch of bare floor (joined side by side)
// borders a column one block high. The pruning that follows the builder's repair of the pits
// lowers only columns two or more high, so it cannot close these again; a raised pit can lose
// its step that way (a few ruins in a thousand keep a one-high column walled in, mostly at the
// field's edge), which is how the ruin has always been built.
bool EveryFloorPitHasAStepOut(const Tops& top)
{
    bool seen[Field::Rows][Field::Cols] = {};
    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c) {
            if (seen[r][c] || top[r][c] != 0) continue;
            bool open = false;
            std::vector<std::pair<int, int>> patch{{r, c}};
            seen[r][c] = true;
            for (size_t i = 0; i < patch.size(); ++i)
                for (const auto& [dr, dc] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                    const int nr = patch[i].first + dr, nc = patch[i].second + dc;
                    if (!Inside(nr, nc)) continue;
                    open = open || top[nr][nc] == 1;
                    if (top[nr][nc] == 0 && !seen[nr][nc]) {
                        seen[nr][nc] = true;
                        patch.push_back({nr, nc});
                    }
                }
            if (!open) return false;
        }
    return true;
}

}  // namespace

// Seed 2700 adds one of the rare ruins (about one in 3,000) whose summit column is six blocks
// high; about one seed in 120 throws its first ruin away because a pit could not be opened,
// and the pit checker would notice if it were kept.
TEST(GeneratedRuin, IsSoundOverManySeeds)
{
    int cappedSummits = 0;
    for (uint32_t seed = 1; seed <= 2001; ++seed) {
        SCOPED_TRACE(seed);
        Field field(nullptr);
        SharedRandom().Seed(seed <= 2000 ? seed : 2700);
        field.Generate();
        const Tops top = TopsOf(field);
        ASSERT_TRUE(EveryRaisedColumnHasWayDown(top));
        ASSERT_TRUE(EveryFloorPitHasAStepOut(top));
        int circles = 0, circleRow = 0, circleLayer = 0, circleCol = 0;
        for (int r = 0; r < Field::Rows; ++r)
            for (int c = 0; c < Field::Cols; ++c) {
                int stones = 0;
                for (int l = 0; l < Field::Layers; ++l) {
                    stones += field.Cell(r, l, c) != CellEmpty;
                    if (field.Cell(r, l, c) != CellMagicCircle) continue;
                    ++circles;
                    circleRow = r, circleLayer = l, circleCol = c;
                }
                ASSERT_EQ(stones, top[r][c] + 1);   // stone from layer 0 to the top, no gaps
                ASSERT_LE(top[r][c], 6);
            }
        ASSERT_EQ(circles, 1);
        // The circle tops the highest column of its group; standing is capped at layer 6, so
        // on a six-high column it lies under the top block.
        const int summit = top[circleRow][circleCol];
        ASSERT_GE(circleLayer, 1);
        ASSERT_EQ(circleLayer, std::min(summit, 5));
        cappedSummits += summit == 6;
        const int16_t group = field.RegionId(circleRow, circleCol);
        ASSERT_NE(group, 0);
        for (int r = 0; r < Field::Rows; ++r)
            for (int c = 0; c < Field::Cols; ++c)
                if (field.RegionId(r, c) == group) {
                    ASSERT_LE(std::min(top[r][c], 5), circleLayer);
                }
    }
    EXPECT_GT(cappedSummits, 0);
}
