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
    EXPECT_TRUE(player().TryCast(true));   // on the circle it costs half
    EXPECT_FALSE(player().TryCast(true));
    player().heldItem = KindFreeMagicItem;
    EXPECT_TRUE(player().TryCast(false));
    EXPECT_EQ(player().mana, 0.5f);
}

// One shot kills every enemy it overlaps, each leaving smoke where it stood and its drop where
// the shot is; a key in the way is passed through. (Whether the map drops, like every random
// draw, is pinned by the recorded games.)
TEST_F(MagicTest, OneShotKillsEveryEnemyItOverlapsAndPassesTheKey)
{
    ShotAmongEnemies(2);
    stage.SetMapState(MapHeld);
    player().position = {10.0f, BodyRest, 10.0f};   // this far away every kill drops
    shot->ShotHits(stage, stage.First(), &effects);
    const WorldObject* key = stage.First();
    EXPECT_TRUE(key->dead == 0 && key->next->dead == 1 && key->next->next->dead == 1 && shot->dead == 1);
    ASSERT_EQ(Drops().size(), 2u);
    EXPECT_TRUE(shot->next->position == Air && shot->next->next->position == Air);
    ASSERT_EQ(effects.Count(), 2);
    EXPECT_EQ(effects.First()->Position(), Air);
    EXPECT_EQ(effects.First()->Next()->Position(), (Vec3{Air.x + 1.0f, Air.y, Air.z}));
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
