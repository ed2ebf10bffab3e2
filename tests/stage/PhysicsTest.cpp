#include "StageWorld.h"

namespace {

struct PhysicsTest : StageWorld {
    float Step(int8_t move = 0, int8_t jump = 0)   // returns the height gained
    {
        const float before = player().position.y;
        player().Move(&field, move, jump);
        return player().position.y - before;
    }
};

// A held jump key jumps once; the body rises less each frame, about 6.6 in all, and lands
// exactly on the floor it left.
TEST_F(PhysicsTest, AJumpRisesSlowerEachFrameAndLandsExactly)
{
    for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(Step(), 0.0f);
    float risen = 0.0f, last = 2.0f;
    for (float gained = Step(0, 1); gained > 0.0f; gained = Step(0, 1)) {
        EXPECT_LT(gained, last);
        risen += last = gained;
    }
    EXPECT_NEAR(risen, 6.6f, 1e-4f);
    while (player().position.y > BodyRest) Step();
    EXPECT_EQ(player().position.y, BodyRest);
    Step();
    EXPECT_EQ(player().takeoffSpeed, 0.0f);
}

// Top speed after about seventy frames; backward is slower; a released key slows the body, but
// in the air it keeps most of its take-off speed.
TEST_F(PhysicsTest, WalkingBuildsUpToTopSpeedAndFallingKeepsMomentum)
{
    player().position.x = 20.0f;
    for (int frame = 0; frame < 68; ++frame) Step(1);
    EXPECT_LT(player().speed, 0.7f);
    for (int frame = 0; frame < 4; ++frame) Step(1);
    EXPECT_EQ(player().speed, 0.7f);
    EXPECT_GT(player().position.x, 44.0f);   // heading 0 walks along +x
    Step();
    EXPECT_LT(player().speed, 0.6f);
    player().position.x = 150.0f;
    for (int frame = 0; frame < 150; ++frame) Step(-1);
    EXPECT_FLOAT_EQ(player().speed, -0.56f);

    for (int row = 0; row < 10; ++row)
        for (int col = 0; col < 20; ++col) Raise(row, col, 1);   // a plateau ending at x = 100
    player().position = {90.0f, 12.5f, 100.0f};
    player().speed = 0.7f;
    while (player().takeoffSpeed == 0.0f) Step(1);
    for (int frame = 0; frame < 4; ++frame) Step();
    EXPECT_GT(player().speed, 0.7f / 2.0f);
    EXPECT_LT(player().speed, 0.7f);
}

TEST_F(PhysicsTest, KnockbackTakesThirteenFramesAndBlocksControlMeanwhile)
{
    player().pushX = 1.0f;
    for (int frame = 0; frame < 13; ++frame) {
        EXPECT_NE(player().pushX, 0.0f);
        Step(1, 1);
        EXPECT_EQ(player().speed, 0.0f);
        EXPECT_EQ(player().position.y, BodyRest);
    }
    EXPECT_EQ(player().pushX, 0.0f);
    EXPECT_GT(player().position.x - 100.0f, 3.0f);
    Step(1, 1);
    EXPECT_GT(player().position.y, BodyRest);
}

// Bodies stop a tenth short of a wall, the player by half its width and an enemy by a third of
// its width; pushing on against the wall costs speed.
TEST_F(PhysicsTest, WallsStopBodiesWithAGapAndEnemiesUseAThirdOfTheirWidth)
{
    Raise(12, 10, 2);   // face at x = 120
    player().position = {110.0f, BodyRest, 105.0f};
    WorldObject* enemy = Spawn(KindEnemy1, {110.0f, BodyRest, 105.0f});
    for (int frame = 0; frame < 60; ++frame) {
        Step(1);
        enemy->Move(&field, 1, 0);
    }
    EXPECT_FLOAT_EQ(player().position.x, 120.0f - 2.5f - 0.1f);
    EXPECT_FLOAT_EQ(enemy->position.x, 120.0f - 5.0f / 6.0f - 0.1f);
    const float before = player().speed;
    Step(1);
    EXPECT_LT(player().speed, before);
}

// A shot flies straight on and falls ever faster until its next step would enter stone.
TEST_F(PhysicsTest, ShotArcsAndDiesWhereItsStepIsCutShort)
{
    Raise(12, 10, 3);
    player().position = {110.0f, BodyRest, 105.0f};
    WorldObject* shot = stage.CreateObject(KindMagicShot);
    shot->InitShot(player());
    Vec3 last = shot->position;
    float lastVertical = shot->verticalSpeed;
    int8_t result = ShotFlying;
    while ((result = shot->Move(&field, 0, 0)) == ShotFlying) {
        EXPECT_LT(shot->verticalSpeed, lastVertical);
        EXPECT_NEAR(shot->position.x - last.x, 0.9f, 1e-4f);
        last = shot->position;
        lastVertical = shot->verticalSpeed;
    }
    EXPECT_EQ(result, ShotBlocked);
    EXPECT_EQ(shot->dead, 1);
    EXPECT_EQ(shot->position, last);
    EXPECT_GE(last.x + 0.25f + 0.9f, 120.0f);   // the step that would have entered the column
}

}  // namespace
