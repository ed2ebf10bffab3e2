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

// Each kill either drops the map (once a stage, on a coin toss) or rolls for an item; this
// far from the player every roll drops one.
TEST_F(MagicTest, OneShotKillsEveryEnemyItOverlapsAndEachKillDropsOnce)
{
    player().position = {10.0f, BodyRest, 10.0f};
    int mapFirst = 0, mapSecond = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        ShotAmongEnemies(2);
        stage.ClearMap();
        SharedRandom().Seed(seed);
        shot->ShotHits(stage, stage.First(), &effects);
        const KindList drops = Drops();
        ASSERT_EQ(drops.size(), 2u) << "seed " << seed;
        mapFirst += drops[0] == KindMapItem;
        mapSecond += drops[1] == KindMapItem;
        EXPECT_FALSE(drops[0] == KindMapItem && drops[1] == KindMapItem) << "seed " << seed;
        EXPECT_EQ(stage.GetMapState(), drops[0] == KindMapItem || drops[1] == KindMapItem ? MapDropped : MapNone);
        EXPECT_EQ(stage.First()->dead, 0);   // the key is passed through
        EXPECT_EQ(stage.First()->next->dead + stage.First()->next->next->dead + shot->dead, 3);
        ASSERT_EQ(effects.Count(), 2);
        EXPECT_EQ(effects.First()->Next()->Position(), (Vec3{Air.x + 1.0f, Air.y, Air.z}));   // smoke where each died
        EXPECT_EQ(shot->next->position, Air);   // drops appear where the shot is
    }
    EXPECT_GT(mapFirst, 0);   // both orders came up
    EXPECT_GT(mapSecond, 0);
}

// Measured along every axis; 120 units or more away a drop is certain, and then every item
// kind comes up.
TEST_F(MagicTest, DropsGrowLikelierWithTheDistanceFromThePlayer)
{
    int previous = -1;
    for (const float distance : {10.0f, 30.0f, 60.0f, 90.0f, 110.0f, 120.0f, 300.0f}) {
        std::set<int8_t> kinds;
        int drops = 0;
        for (uint32_t seed = 1; seed <= 400; ++seed) {
            ShotAmongEnemies(1);
            stage.SetMapState(MapHeld);   // no map coin
            player().position = {Air.x - distance / 2.0f, Air.y + distance / 4.0f, Air.z - distance / 4.0f};
            SharedRandom().Seed(seed);
            shot->ShotHits(stage, stage.First(), &effects);
            ASSERT_LE(Drops().size(), 1u);
            drops += static_cast<int>(Drops().size());
            if (!Drops().empty()) kinds.insert(Drops()[0]);
        }
        EXPECT_TRUE(distance >= 120.0f ? drops == 400 : drops > previous && drops < 400) << distance << ": " << drops;
        if (distance >= 120.0f) {
            EXPECT_EQ(kinds, (std::set<int8_t>{KindTimeRefill, KindLifeRefill, KindManaRefill, KindSlowTimeItem,
                                               KindCloakItem, KindSwiftItem, KindFreeMagicItem}));
        }
        previous = drops;
    }
}

// A shot flies straight on and falls ever faster until its next step would enter stone.
TEST_F(MagicTest, ShotArcsAndDiesWhereItsStepIsCutShort)
{
    Raise(12, 10, 3);
    player().position = {110.0f, BodyRest, 105.0f};
    shot = stage.CreateObject(KindMagicShot);
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
