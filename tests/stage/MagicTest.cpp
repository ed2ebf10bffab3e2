#include "StageWorld.h"

#include <set>

namespace {

struct MagicTest : StageWorld {
    static constexpr Vec3 Air{150.0f, 30.0f, 150.0f};
    WorldObject* shot = nullptr;

    // Enemies overlapping a shot in open air (a key among them is passed through).
    void ShotAmongEnemies(int enemies)
    {
        stage.RemoveObjects(0);
        effects.Remove(0);
        Spawn(KindKey, Air);
        for (int i = 0; i < enemies; ++i) Spawn(KindEnemy2, {Air.x + i, Air.y, Air.z});
        shot = Spawn(KindMagicShot, Air);
    }

    KindList Drops() const
    {
        KindList drops;
        for (const WorldObject* o = shot->next; o != nullptr; o = o->next) drops.push_back(o->kind);
        return drops;
    }
};

TEST_F(MagicTest, CastingCostsOneAwayFromTheCircleHalfOnItAndNothingWithFreeMagic)
{
    int casts = 0;
    while (player().TryCast(false)) ++casts;
    EXPECT_EQ(casts, 99);
    EXPECT_EQ(player().mana, 1.0f);   // equal to the cost is not enough
    EXPECT_TRUE(player().TryCast(true));
    EXPECT_EQ(player().mana, 0.5f);
    EXPECT_FALSE(player().TryCast(true));
    player().heldItem = KindFreeMagicItem;
    EXPECT_TRUE(player().TryCast(false));
    EXPECT_EQ(player().mana, 0.5f);
}

// Each kill tosses the map coin while no map has dropped; a kill that drops the map rolls
// nothing else, any other kill rolls for an item (always, this far from the player).
TEST_F(MagicTest, OneShotKillsEveryEnemyItOverlapsAndEachKillRollsItsOwnDrop)
{
    player().position = {10.0f, BodyRest, 10.0f};
    int mapFirst = 0, mapSecond = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        ShotAmongEnemies(2);
        stage.ClearMap();
        SharedRandom().Seed(seed);
        Random predicted = SharedRandom();
        KindList expected;
        bool mapDropped = false;
        for (int kill = 0; kill < 2; ++kill) {
            if (!mapDropped && predicted.Next() % 2 == 0) {
                mapDropped = true;
                expected.push_back(KindMapItem);
                (kill == 0 ? mapFirst : mapSecond) += 1;
                continue;
            }
            predicted.Next();   // the drop roll: one in 1 at this distance
            expected.push_back(static_cast<int8_t>(KindTimeRefill + predicted.Next() % 7));
        }

        shot->ShotHits(stage, stage.First(), &effects);
        EXPECT_EQ(Drops(), expected) << "seed " << seed;
        EXPECT_EQ(SharedRandom().State(), predicted.State()) << "seed " << seed;
        EXPECT_EQ(stage.GetMapState(), mapDropped ? MapDropped : MapNone);
        EXPECT_EQ(stage.First()->dead, 0);   // the key is passed through
        EXPECT_EQ(stage.First()->next->dead + stage.First()->next->next->dead + shot->dead, 3);
        ASSERT_EQ(effects.Count(), 2);
        EXPECT_EQ(effects.First()->Next()->Position(), (Vec3{Air.x + 1.0f, Air.y, Air.z}));
        EXPECT_EQ(shot->next->position, Air);   // drops appear where the shot is
    }
    EXPECT_GT(mapFirst, 0);   // both orders came up
    EXPECT_GT(mapSecond, 0);
}

TEST_F(MagicTest, DropOddsGrowWithTheDistanceFromThePlayer)
{
    const struct { float distance; int divisor; } cases[] = {{19.9f, 32}, {20.0f, 16}, {44.9f, 16}, {45.0f, 8}, {69.9f, 8}, {70.0f, 4},
                 {99.9f, 4}, {100.0f, 2}, {119.9f, 2}, {120.0f, 1}};
    for (const auto& c : cases) {
        std::set<int8_t> kinds;
        for (uint32_t seed = 1; seed <= 96; ++seed) {
            ShotAmongEnemies(1);
            stage.SetMapState(MapHeld);   // no map coin
            // Every axis counts toward the distance.
            player().position = {Air.x - c.distance / 2.0f, Air.y + c.distance / 4.0f, Air.z - c.distance / 4.0f};
            SharedRandom().Seed(seed);
            const bool dropExpected = Random(seed).Next() % c.divisor == 0;
            shot->ShotHits(stage, stage.First(), &effects);
            ASSERT_EQ(Drops().size(), dropExpected ? 1u : 0u) << "distance " << c.distance << " seed " << seed;
            if (dropExpected) kinds.insert(Drops()[0]);
        }
        if (c.divisor == 1) {
            EXPECT_EQ(kinds, (std::set<int8_t>{10, 11, 12, 13, 14, 15, 16}));
        }
    }
}

}  // namespace
