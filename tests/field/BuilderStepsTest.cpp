#include "FieldTestAccess.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Move = std::array<int, 3>;   // rows, layers, cols

std::vector<Move> AllMoves(const Field& field, int row, int layer, int col)
{
    std::vector<Move> moves;
    Field::MoveCursor cursor;
    while (FieldTestAccess::NextMove(field, row, layer, col, cursor)) moves.push_back({cursor.dRow, cursor.dLayer, cursor.dCol});
    return moves;
}

Move Summit(Field& field)
{
    int16_t row = -1, layer = -1, col = -1;
    field.PickSummit(row, layer, col);
    return {row, layer, col};
}

}  // namespace

TEST(BuilderMoves, FollowTheFixedOrderAndTheGridAsItIsNow)
{
    Field field(nullptr);
    Build(field, TopsWith(1));
    EXPECT_EQ(AllMoves(field, 10, 1, 10), (std::vector<Move>{{-2, 0, 0}, {-1, 0, -1}, {-1, 0, 0}, {-1, 0, 1},
        {0, 0, -2}, {0, 0, -1}, {0, 0, 1}, {0, 0, 2}, {1, 0, -1}, {1, 0, 0}, {1, 0, 1}, {2, 0, 0}}));
    EXPECT_EQ(AllMoves(field, 0, 1, 0), (std::vector<Move>{{0, 0, 1}, {0, 0, 2}, {1, 0, 0}, {1, 0, 1}, {2, 0, 0}}));

    Field::MoveCursor cursor;
    ASSERT_TRUE(FieldTestAccess::NextMove(field, 10, 1, 10, cursor));
    field.SetCell(9, 2, 9, CellBlock);   // the next candidate is now too high to step onto
    ASSERT_TRUE(FieldTestAccess::NextMove(field, 10, 1, 10, cursor));
    EXPECT_EQ((Move{cursor.dRow, cursor.dLayer, cursor.dCol}), (Move{-1, 0, 0}));

    Build(field, TopsWith(0, {{10, 10, 2}, {8, 10, 2}, {9, 10, 2}, {9, 11, 1}, {10, 8, 2}, {10, 9, 4},
                              {10, 11, 3}, {10, 12, 1}, {11, 9, 1}, {11, 11, 2}, {12, 10, 2}}));
    EXPECT_EQ(AllMoves(field, 10, 2, 10), (std::vector<Move>{{-2, 0, 0}, {-1, 0, 0}, {-1, -1, 1}, {0, -1, 2},
                                                            {1, -1, -1}, {1, 0, 1}, {2, 0, 0}}));
}

TEST(HollowOpening, StepsClosedHollowsOnTheFirstColumnThatCanLeaveOrRebuilds)
{
    Field field(nullptr);
    Build(field, TopsWith(3, {{10, 10, 0}, {10, 11, 0}, {9, 12, 2}}));   // only (10, 11) is near a ledge
    EXPECT_EQ(DrawsOf([&] { FieldTestAccess::OpenHollows(field); }), 0u);
    EXPECT_EQ(TopsOf(field), TopsWith(3, {{10, 10, 0}, {10, 11, 1}, {9, 12, 2}}));

    Build(field, TopsWith(3, {{10, 10, 0}, {9, 9, 2}}));   // raised a step per layer until it opens
    FieldTestAccess::OpenHollows(field);
    EXPECT_EQ(TopsOf(field), TopsWith(3, {{10, 10, 2}, {9, 9, 2}}));

    const Tops open = TopsWith(1, {{5, 5, 0}, {15, 15, 2}});   // a pit beside a one-block rise
    Build(field, open);
    FieldTestAccess::OpenHollows(field);
    EXPECT_EQ(TopsOf(field), open);

    Build(field, TopsWith(3, {{10, 10, 0}}));   // no way out at all: the ruin is built anew
    SharedRandom().Seed(5);
    const uint64_t draws = DrawsOf([&] { FieldTestAccess::OpenHollows(field); });
    Field fresh(nullptr);
    SharedRandom().Seed(5);
    FieldTestAccess::BuildColumns(fresh);
    EXPECT_EQ(draws, 2400 + DrawsOf([&] { FieldTestAccess::OpenHollows(fresh); }));
    EXPECT_EQ(TopsOf(field), TopsOf(fresh));
}

TEST(DescentPruning, LowersColumnsUntilEachHasAWayDown)
{
    Field field(nullptr);
    Build(field, TopsWith(0, {{3, 3, 3}, {3, 4, 2}, {3, 5, 1},   // a staircase
                              {10, 10, 3},                       // a lone tower
                              {15, 3, 3}, {15, 4, 2},            // a tower beside a ledge to nowhere
                              {6, 15, 2}, {6, 16, 2}}));         // two ledges leading to each other
    FieldTestAccess::PruneUnreachable(field);
    EXPECT_EQ(TopsOf(field), TopsWith(0, {{3, 3, 3}, {3, 4, 2}, {3, 5, 1}, {10, 10, 1}, {15, 3, 2}, {15, 4, 1},
                                          {6, 15, 1}, {6, 16, 1}}));
    const int16_t staircase = field.RegionId(3, 3), tower = field.RegionId(15, 3);   // one label per trace
    EXPECT_TRUE(staircase > 0 && tower > 0 && staircase != tower && field.RegionId(10, 10) == 0);
    EXPECT_TRUE(field.RegionId(3, 5) == staircase && field.RegionId(15, 4) == tower);
}

TEST(Summit, HighestOfTheDrawnGroupWithCoinTossesForLateTies)
{
    Field field(nullptr);
    Build(field, TopsWith(0, {{4, 7, 1}, {12, 3, 1}}));
    EXPECT_EQ(DrawsOf([&] { EXPECT_EQ(Summit(field), (Move{4, 2, 7})); }), 0u);   // nothing labelled

    for (int r = 0; r < Field::Rows; ++r)
        for (int c = 0; c < Field::Cols; ++c) FieldTestAccess::Label(field, r, c, r < 10 ? 1 : 2);
    Build(field, TopsWith(0, {{0, 0, 2}, {10, 0, 6}, {14, 2, 6}, {19, 19, 6}}));
    for (uint32_t seed = 1; seed <= 100; ++seed) {
        SharedRandom().Seed(seed);
        Random lookahead = SharedRandom();
        const bool firstGroup = lookahead.Next() % 20 < 10;
        lookahead.Next();
        const bool middleWins = lookahead.Next() % 2 == 0, lastWins = lookahead.Next() % 2 == 0;
        const Move expected = firstGroup ? Move{0, 3, 0} : lastWins ? Move{19, 6, 19} : middleWins ? Move{14, 6, 2} : Move{10, 6, 0};
        EXPECT_EQ(DrawsOf([&] { EXPECT_EQ(Summit(field), expected); }), firstGroup ? 2u : 4u);
    }
}
