#include "StageWorld.h"

#include <cmath>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// Within a small turn of `heading`, or of the line through it either way.
bool Along(float facing, float heading) { return std::fabs(std::remainder(facing - heading, 2.0f * Pi)) < 0.15f; }
bool OnLine(float facing, float heading) { return Along(facing, heading) || Along(facing, heading + Pi); }

struct EnemyTest : StageWorld {
    WorldObject* enemy = nullptr;

    Controls Think(uint32_t seed, Vec3 at, float facing)
    {
        stage.RemoveObjects(0);
        enemy = Spawn(KindEnemy1, at);
        enemy->facing = facing;
        enemy->speed = 3.0f;   // "ahead" is 3 units on
        SharedRandom().Seed(seed);
        return enemy->Think(field, player());
    }
};

// Heading +x out of sight: off an edge some seeds turn about and stop, at a wall one layer
// high many jump, and on open floor a few turn about anyway.
TEST_F(EnemyTest, EdgesWallsAndOpenFloorTurnOrJumpSomeOfTheTime)
{
    Raise(5, 5, 1);   // a column to stand on, open floor beyond
    Raise(6, 8, 2);   // a wall
    player().position = {150.0f, BodyRest, 150.0f};
    const struct { Vec3 at; int fewestTurns, mostTurns, fewestJumps, mostJumps; } cases[] = {
        {{58.0f, 12.5f, 55.0f}, 10, 60, 0, 10},      // at the column's edge
        {{58.0f, BodyRest, 85.0f}, 0, 0, 100, 200},   // before the wall
        {{25.0f, BodyRest, 25.0f}, 30, 100, 0, 10},   // open floor
    };
    for (const auto& c : cases) {
        int turns = 0, jumps = 0;
        for (uint32_t seed = 1; seed <= 300; ++seed) {
            const Controls controls = Think(seed, c.at, 0.0f);
            const bool turned = Along(enemy->facing, Pi);
            ASSERT_TRUE(turned || std::fabs(enemy->facing) < 0.15f) << "seed " << seed << ": " << enemy->facing;
            EXPECT_FALSE(turned && c.at.y > BodyRest && controls.move != 0) << "seed " << seed << ": walks off the edge";
            turns += turned;
            jumps += controls.jump;
        }
        EXPECT_TRUE(turns >= c.fewestTurns && turns <= c.mostTurns) << c.at.x << "," << c.at.z << ": " << turns;
        EXPECT_TRUE(jumps >= c.fewestJumps && jumps <= c.mostJumps) << c.at.x << "," << c.at.z << ": " << jumps;
    }
}

// A sighted enemy turns onto the line toward the player (the same frame may turn it about);
// the cloak hides the player; on top of the player there is no way to head, and it keeps its own.
TEST_F(EnemyTest, SightedEnemyHeadsForThePlayerUnlessItIsCloaked)
{
    for (const int8_t item : {int8_t{0}, int8_t{KindCloakItem}}) {
        for (uint32_t seed = 1; seed <= 50; ++seed) {
            player().heldItem = item;
            player().position = {100.0f, BodyRest, 80.0f};   // 20 along -z: the heading pi/2
            Think(seed, {100.0f, BodyRest, 100.0f}, 0.0f);
            EXPECT_EQ(OnLine(enemy->facing, Pi / 2.0f), item == 0) << "seed " << seed;
            player().position = {115.0f, BodyRest, 115.0f};   // 15 along +x, 15 along +z
            Think(seed, {100.0f, BodyRest, 100.0f}, 0.0f);
            EXPECT_EQ(OnLine(enemy->facing, -Pi / 4.0f), item == 0) << "seed " << seed;
            player().position = {100.0f, BodyRest, 100.0f};
            Think(seed, {100.0f, BodyRest, 100.0f}, 1.0f);
            EXPECT_TRUE(OnLine(enemy->facing, 1.0f)) << "seed " << seed << ": " << enemy->facing;
        }
    }
}

}  // namespace
