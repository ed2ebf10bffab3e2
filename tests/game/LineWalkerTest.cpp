#include "game/LineWalker.h"

#include <gtest/gtest.h>

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
