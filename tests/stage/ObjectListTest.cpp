#include "StageWorld.h"

#include "graphics/Billboard.h"
#include "graphics/Sprite.h"

#include <cmath>
#include <set>

namespace {

using ObjectListTest = StageWorld;

// Dead objects leave the list every frame (the recorded games and the soak would notice
// otherwise); asked for a kind, the list also lets go of that kind, and with 0 of everything.
TEST_F(ObjectListTest, RemovalTakesTheKindAskedAndTheDead)
{
    for (int8_t kind : {KindKey, KindEnemy1, KindLifeRefill, KindEnemy1, KindEnemy2}) stage.CreateObject(kind);
    stage.First()->next->next->dead = 1;
    stage.RemoveObjects(KindEnemy1);
    EXPECT_EQ(Kinds(), (KindList{KindKey, KindEnemy2}));
    stage.CreateObject(KindExit);   // the tail is found again
    EXPECT_EQ(Kinds(), (KindList{KindKey, KindEnemy2, KindExit}));
    stage.RemoveObjects(0);
    EXPECT_EQ(stage.First(), nullptr);
    EXPECT_EQ(stage.CreateObject(7)->billboard, nullptr);   // unknown kinds are bare
}

TEST_F(ObjectListTest, PickUpsFillRefillsEquipAndTakeTheMapAndStayUntilThePurge)
{
    const Vec3 at = player().position;
    for (int8_t kind : {KindLifeRefill, KindLifeRefill, KindManaRefill, KindMapItem, KindSwiftItem})
        Spawn(kind, at);
    EXPECT_FALSE(Update());
    EXPECT_EQ(player().refill[Player::CounterLife], 50);
    EXPECT_EQ(player().refill[Player::CounterMana], 25);
    EXPECT_EQ(stage.GetMapState(), MapHeld);
    EXPECT_EQ(player().heldItem, KindSwiftItem);
    EXPECT_EQ(player().jumpSpeed, 1.7f);
    EXPECT_EQ(player().itemIcon->GetSource(), (Rect{192, 224, 32, 32}));
    EXPECT_EQ(DrawsOf(DrawKind::WorldPrimitive).size(), 5u);   // taken, still drawn this frame

    player().itemTimer = 120.0f;
    Spawn(KindCloakItem, at);
    EXPECT_FALSE(Update());
    EXPECT_EQ(Kinds(), (KindList{KindCloakItem}));   // the taken ones were purged first
    EXPECT_EQ(player().itemTimer, 250.0f);
    EXPECT_EQ(player().jumpSpeed, 1.2f);
}

// The exit appears over a random column, falls in the frame it appears, and a light column
// stands where it will land.
TEST_F(ObjectListTest, KeyRaisesAnExitThatFallsInTheSameFrameAndTheExitEndsTheWalk)
{
    WorldObject* key = Spawn(KindKey, player().position);
    Update();
    EXPECT_EQ(key->dead, 1);
    ASSERT_EQ(Kinds(), (KindList{KindKey, KindExit}));
    const Vec3 exit = key->next->position;
    EXPECT_EQ(std::fmod(exit.x, 10.0f), 5.0f);
    EXPECT_EQ(std::fmod(exit.z, 10.0f), 5.0f);
    EXPECT_FLOAT_EQ(exit.y, 29.9f);
    ASSERT_EQ(effects.Count(), 1);
    EXPECT_EQ(effects.First()->Position(), (Vec3{exit.x, 30.0f, exit.z}));

    key->next->position = player().position;
    WorldObject* after = Spawn(KindTimeRefill, {20.0f, 30.0f, 20.0f});
    EXPECT_TRUE(Update());
    EXPECT_EQ(after->position.y, 30.0f);                 // not moved
    EXPECT_EQ(DrawsOf(DrawKind::WorldPrimitive).size(), 1u);       // nor drawn
}

TEST_F(ObjectListTest, EnemyTouchCostsFiveToElevenLifeAndPushesBothApart)
{
    WorldObject* enemy = Spawn(KindEnemy1, {101.0f, BodyRest, 102.0f});
    std::set<float> damages;
    for (int touch = 0; touch < 100; ++touch) {
        enemy->position = {101.0f, BodyRest, 102.0f};
        enemy->pushX = enemy->pushZ = player().pushX = player().pushZ = 0.0f;
        const float life = player().life;
        Update();
        damages.insert(life - player().life);
        EXPECT_EQ(enemy->dead, 0);
        EXPECT_TRUE(player().pushX < 0.0f && player().pushZ < 0.0f);   // away from the enemy
        EXPECT_TRUE(enemy->pushX > 0.0f && enemy->pushZ > 0.0f);
    }
    EXPECT_EQ(damages, (std::set<float>{5, 6, 7, 8, 9, 10, 11}));
}

}  // namespace
