// The autopilot's route planner: the moves a body can make between the ruin's columns.
#include "RuinRoute.h"

#include "field/Field.h"

#include <gtest/gtest.h>

namespace {

// A flat ruin (only the floor) on which each test raises a few columns.
class RuinRouteTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int row = 0; row < Field::Rows; ++row)
            for (int layer = 0; layer < Field::Layers; ++layer)
                for (int col = 0; col < Field::Cols; ++col) field.SetCell(row, layer, col, layer == 0 ? CellBlock : CellEmpty);
    }
    void Raise(int row, int col, int top)   // blocks from the floor up to layer `top`
    {
        for (int layer = 0; layer <= top; ++layer) field.SetCell(row, layer, col, CellBlock);
    }
    void Lower(int row, int col) { field.SetCell(row, 0, col, CellEmpty); }   // a pit
    std::vector<Column> Plan(Column from, Column to) const { return RuinRoute(field).Plan(from, to); }

    Field field{nullptr};
};

}  // namespace

TEST_F(RuinRouteTest, StandingLayerIsOneAboveTheTopBlockEvenOverAHollow)
{
    Raise(3, 4, 2);
    field.SetCell(5, 5, 5, CellMagicCircle);   // a floating block: its top counts
    const RuinRoute route(field);
    EXPECT_EQ(route.StandingLayer({0, 0}), 1);
    EXPECT_EQ(route.StandingLayer({3, 4}), 3);
    EXPECT_EQ(route.StandingLayer({5, 5}), 6);
    EXPECT_EQ(RuinRoute::ColumnAt({35.0f, 0.0f, 49.9f}), (Column{3, 4}));
    EXPECT_EQ(RuinRoute::ColumnAt({-3.0f, 0.0f, 250.0f}), (Column{0, 19}));
}

TEST_F(RuinRouteTest, ClimbsOneLayerAtATimeAndNeverTwo)
{
    Raise(5, 5, 2);   // standing layer 3: two above the floor
    EXPECT_TRUE(Plan({5, 3}, {5, 5}).empty());
    Raise(5, 4, 1);   // a step in between
    EXPECT_EQ(Plan({5, 3}, {5, 5}), (std::vector<Column>{{5, 3}, {5, 4}, {5, 5}}));
    EXPECT_EQ(Plan({4, 4}, {4, 4}), (std::vector<Column>{{4, 4}}));
    // Down is always possible, however deep.
    Raise(9, 9, 6);
    EXPECT_EQ(Plan({9, 9}, {9, 10}).size(), 2u);
}

TEST_F(RuinRouteTest, JumpsAOneColumnGapOnlyWhenItLiesBelow)
{
    // A wall of height 2 with a notch of height 1 between two tall columns.
    for (int row = 0; row < Field::Rows; ++row) {
        Raise(row, 6, 3);
        Raise(row, 8, 3);
    }
    Raise(10, 7, 1);
    Raise(10, 5, 3);
    const auto plan = Plan({10, 5}, {10, 9});
    ASSERT_EQ(plan.size(), 4u);
    EXPECT_EQ(plan[1], (Column{10, 6}));
    EXPECT_EQ(plan[2], (Column{10, 8})) << "across the lower column, not down into it";
    // A gap at the same height is no gap: walking across costs less.
    Raise(10, 7, 3);
    EXPECT_EQ(Plan({10, 5}, {10, 9}).size(), 5u);
}

TEST_F(RuinRouteTest, PrefersAWalkAroundToClimbing)
{
    Raise(4, 5, 1);   // one block in the way: climbing over costs more than two side steps
    const auto plan = Plan({4, 4}, {4, 6});
    ASSERT_FALSE(plan.empty());
    for (const Column& column : plan) EXPECT_NE(column, (Column{4, 5}));
    EXPECT_EQ(plan.size(), 5u);
}
