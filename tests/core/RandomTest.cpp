#include "core/Random.h"

#include <gtest/gtest.h>

TEST(Random, SeedOneGivesTheClassicRuntimeSequence)
{
    Random random(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(random.Next(), value);
    EXPECT_EQ(random.DrawCount(), 10u);
}

TEST(Random, ReseedingRestartsTheSequenceAndValuesStayInRange)
{
    Random random;
    random.Seed(12345);
    int first[100];
    for (int& value : first) {
        value = random.Next();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, Random::Max);
    }
    random.Seed(12345);
    for (int value : first) EXPECT_EQ(random.Next(), value);
}
