#include "game/LineWalker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Steps until the walk reports its end; returns x after each call that returned true.
std::vector<int> WalkX(LineWalker& walker, std::vector<int>* zs = nullptr)
{
    std::vector<int> xs;
    for (int call = 0; call < 1000 && walker.Step(); ++call) {
        xs.push_back(walker.GetX());
        if (zs) zs->push_back(walker.GetZ());
    }
    return xs;
}

}  // namespace

TEST(LineWalker, TitlePanEasesOutAndEndsOnTheTwelfthCall)
{
    LineWalker right(950, 0, 0, 35, 1150, 0, 0, 8);
    const std::vector<int> xs = WalkX(right);
    ASSERT_EQ(xs.size(), 11u);   // eleven steps; the twelfth call returns false
    EXPECT_EQ(xs[0], 985);
    EXPECT_EQ(xs[1], 1015);
    EXPECT_EQ(xs[2], 1041);
    EXPECT_EQ(xs.back(), 1150);
    for (size_t i = 1; i < xs.size(); ++i) EXPECT_LE(xs[i] - xs[i - 1], xs[i - 1] - (i > 1 ? xs[i - 2] : 950));

    LineWalker left(1150, 0, 0, 35, 950, 0, 0, 8);
    const std::vector<int> back = WalkX(left);
    ASSERT_EQ(back.size(), xs.size());
    for (size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(back[i], 2100 - xs[i]) << i;
}

TEST(LineWalker, ClearBannerReachesBothEndsOnTheFourteenthCall)
{
    LineWalker grow(0, 0, 0, 30, 200, 0, 50, 5);
    std::vector<int> zs;
    const std::vector<int> xs = WalkX(grow, &zs);
    ASSERT_EQ(xs.size(), 14u);
    EXPECT_EQ(xs.back(), 200);
    EXPECT_EQ(zs.back(), 50);
    EXPECT_LT(xs[12], 200);
}

TEST(LineWalker, MinorAxisAndSpeedMoveOnTheFirstStep)
{
    LineWalker walker(0, 0, 0, 1, 10, 0, 3, 4);
    ASSERT_TRUE(walker.Step());
    EXPECT_EQ(walker.GetX(), 1);
    EXPECT_EQ(walker.GetZ(), 1);   // error terms start at 0, not half the distance
    EXPECT_EQ(walker.GetSpeed(), 2);
}

TEST(LineWalker, EqualEndsFinishAtOnceAndTiesPreferX)
{
    LineWalker still(5, 5, 5, 3, 5, 5, 5, 1);
    EXPECT_TRUE(still.Step());
    EXPECT_FALSE(still.Step());

    // x and z tie at 4: x is the major axis, so x steps every unit and z follows it exactly.
    LineWalker diagonal(0, 0, 0, 1, -4, 0, 4, 1);
    for (int step = 1; step <= 4; ++step) {
        ASSERT_TRUE(diagonal.Step());
        EXPECT_EQ(diagonal.GetX(), -step);
        EXPECT_EQ(diagonal.GetZ(), step);
    }
    EXPECT_TRUE(diagonal.Step());
    EXPECT_FALSE(diagonal.Step());
}
