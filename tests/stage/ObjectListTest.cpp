#include "StageWorld.h"

#include "graphics/Billboard.h"
#include "graphics/Sprite.h"

namespace {

using ObjectListTest = StageWorld;

TEST_F(ObjectListTest, RemovalUnlinksHeadMiddleAndTailByDeathOrKind)
{
    for (int8_t kind = KindTimeRefill; kind <= KindMapItem; ++kind) stage.CreateObject(kind);
    stage.RemoveObjects(-1);
    EXPECT_EQ(stage.ObjectCount(), 8);
    int place = 0;
    for (WorldObject* o = stage.First(); o != nullptr; o = o->next, ++place)
        o->dead = place == 0 || place == 1 || place == 4 || place == 7;
    stage.DrawObjects();
    EXPECT_EQ(Kinds(), (KindList{KindManaRefill, KindSlowTimeItem, KindSwiftItem, KindFreeMagicItem}));
    EXPECT_EQ(Draws(DrawKind::WorldPrimitive), 4);

    stage.First()->next->dead = 1;
    stage.RemoveObjects(KindFreeMagicItem);   // that kind and the dead
    EXPECT_EQ(Kinds(), (KindList{KindManaRefill, KindSwiftItem}));
    stage.CreateObject(KindKey);              // the tail is found again
    EXPECT_EQ(Kinds(), (KindList{KindManaRefill, KindSwiftItem, KindKey}));
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
    EXPECT_EQ(Draws(DrawKind::WorldPrimitive), 5);   // taken, still drawn this frame

    player().itemTimer = 120.0f;
    Spawn(KindCloakItem, at);
    EXPECT_FALSE(Update());
    EXPECT_EQ(Kinds(), (KindList{KindCloakItem}));   // the taken ones were purged first
    EXPECT_EQ(player().itemTimer, 250.0f);
    EXPECT_EQ(player().jumpSpeed, 1.2f);
}

TEST_F(ObjectListTest, KeyRaisesAnExitThatFallsInTheSameFrameAndTheExitEndsTheWalk)
{
    Random predicted = SharedRandom();
    const float x = static_cast<float>(predicted.Next() % 20) * 10.0f + 5.0f;
    const float z = static_cast<float>(predicted.Next() % 20) * 10.0f + 5.0f;
    WorldObject* key = Spawn(KindKey, player().position);
    Update();
    EXPECT_EQ(key->dead, 1);
    ASSERT_EQ(Kinds(), (KindList{KindKey, KindExit}));
    EXPECT_EQ(key->next->position.x, x);
    EXPECT_EQ(key->next->position.z, z);
    EXPECT_FLOAT_EQ(key->next->position.y, 29.9f);
    ASSERT_EQ(effects.Count(), 1);
    EXPECT_EQ(effects.First()->Position(), (Vec3{x, 30.0f, z}));
    EXPECT_EQ(effects.First()->Scale(), (Vec3{4.0f, 4.0f, 4.0f}));

    key->next->position = player().position;
    WorldObject* after = Spawn(KindTimeRefill, {20.0f, 30.0f, 20.0f});
    EXPECT_TRUE(Update());
    EXPECT_EQ(after->position.y, 30.0f);                 // not moved
    EXPECT_EQ(Draws(DrawKind::WorldPrimitive), 1);       // nor drawn
}

TEST_F(ObjectListTest, EnemyTouchCostsFiveToElevenLifeAndPushesBothApart)
{
    WorldObject* enemy = Spawn(KindEnemy1, {101.0f, BodyRest, 102.0f});
    for (int touch = 0; touch < 12; ++touch) {
        enemy->position = {101.0f, BodyRest, 102.0f};
        enemy->pushX = enemy->pushZ = 0.0f;
        const float life = player().life;
        Random replay = SharedRandom();
        Update();
        int last = 0;   // the damage is the frame's last draw: the enemy thinks first
        while (replay.DrawCount() < SharedRandom().DrawCount()) last = replay.Next();
        EXPECT_EQ(life - player().life, static_cast<float>(5 + last % 7));
        EXPECT_EQ(enemy->dead, 0);
        EXPECT_FLOAT_EQ(player().pushX, (100.0f - enemy->position.x) / 2.5f);
        EXPECT_FLOAT_EQ(player().pushZ, (100.0f - enemy->position.z) / 2.5f);
    }
}

}  // namespace
