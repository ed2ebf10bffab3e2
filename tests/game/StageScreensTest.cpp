#include "ScreenTestGame.h"

#include "game/ScreenRules.h"

#include <algorithm>

namespace {

using StageStartTest = ScreenTestGame;

TEST_F(StageStartTest, FirstStageHasTheKeyTheCaptionAndTwentyOneEnemies)
{
    game.SetStateForTests(StateStageStart);
    Frames(1);
    EXPECT_EQ(game.StageRecord(), 1);
    EXPECT_EQ(ObjectKinds(), (std::vector<int8_t>{KindKey}));
    ASSERT_EQ(game.GetEffects()->Count(), 2);
    const Effect* banner = game.GetEffects()->First()->Next();
    EXPECT_EQ(game.GetEffects()->First()->Kind(), EffectFadeOut);
    EXPECT_EQ(banner->Kind(), EffectStageBanner);
    EXPECT_EQ(banner->Scale().x, 1.0f);
    const Vec3 eye = game.GetGraphics()->GetEye();
    EXPECT_EQ(eye, (Vec3{ThePlayer().position.x, 41.0f, ThePlayer().position.z}));

    Frames(9);
    EXPECT_EQ(game.GetStage()->ObjectCount(), 1);
    Frames(1);
    EXPECT_EQ(game.State(), StatePlay);
    const std::vector<int8_t> kinds = ObjectKinds();
    ASSERT_EQ(kinds.size(), 22u);
    for (size_t i = 1; i < kinds.size(); ++i) EXPECT_TRUE(IsEnemy(kinds[i])) << int(kinds[i]);
}

// However far a player gets, a stage never starts with more than 250 enemies.
TEST_F(StageStartTest, LateStagesStopAt250Enemies)
{
    game.SetStageRecordForTests(999);
    game.SetStateForTests(StateStageStart);
    Frames(11);
    ASSERT_EQ(game.State(), StatePlay);
    const std::vector<int8_t> kinds = ObjectKinds();
    EXPECT_EQ(std::count_if(kinds.begin(), kinds.end(), IsEnemy), 250);
    EXPECT_EQ(kinds.size(), 251u) << "and the key";
}

TEST(StageEnemyCount, GrowsWithTheStageAndStopsAt250)
{
    EXPECT_EQ(StageEnemyCount(1, 32767), 21);
    EXPECT_EQ(StageEnemyCount(2, 1), 23);
    EXPECT_EQ(StageEnemyCount(2, 2), 22);
    EXPECT_EQ(StageEnemyCount(154, 75), 249);
    EXPECT_EQ(StageEnemyCount(154, 77), 250);
    EXPECT_EQ(StageEnemyCount(65535, 32767), 250);
}

class StageClearTest : public ScreenTestGame {
protected:
    void ReachExit(float time)
    {
        for (int8_t kind : {KindEnemy1, KindKey, KindEnemy4}) game.GetStage()->CreateObject(kind);
        game.GetEffects()->Create(EffectLightColumn);
        ThePlayer().time = time;
        game.SetStateForTests(StateStageClear);
    }
    int8_t Phase() const { return game.Screens().clearPhase; }
};

TEST_F(StageClearTest, CountUpLastsAsLongAsTheTimeLeft)
{
    const struct { float time; int frames; } cases[] = {{100.0f, 200}, {0.3f, 1}};
    for (const auto& c : cases) {
        ReachExit(c.time);
        Frames(1);
        EXPECT_EQ(ObjectKinds(), (std::vector<int8_t>{KindKey})) << "the enemies go at once";
        EXPECT_EQ(FramesUntil([&] { return Phase() == 2; }), 49);
        EXPECT_EQ(game.GetStage()->ObjectCount(), 0);
        EXPECT_FALSE(game.FieldVisible());
        EXPECT_EQ(FramesUntil([&] { return Phase() == 4; }), 15 + 50);
        EXPECT_EQ(FramesUntil([&] { return Phase() == 5; }), c.frames) << "TIME " << c.time;
        EXPECT_TRUE(TextIs(0xFFDC1E28u, "TIMEBONUS"));
        EXPECT_EQ(FramesUntil([&] { return Phase() == 6; }), 30);
        Tap(vk::Space);
        Frames(1);
        ASSERT_EQ(game.State(), StateStageStart);
        game.GetEffects()->Remove(0);
    }
}

TEST_F(StageClearTest, OnlyAFreshSpaceInTheWaitEndsTheScreen)
{
    ReachExit(2.0f);
    while (Phase() != 5) Tap(vk::Space);
    Press(vk::Space);   // held from the hold into the wait
    Frames(30 + 20);
    EXPECT_EQ(Phase(), 6);
    EXPECT_TRUE(TextIs(0xFFC8C80Au, "PUSHSPACEKEYTONEXTSTAGE"));
    Release(vk::Space);
    Tap(vk::Space);
    EXPECT_EQ(Phase(), 7);
    Frames(1);
    EXPECT_EQ(game.State(), StateStageStart);
    EXPECT_EQ(game.Screens().clearBanner, nullptr);
    EXPECT_EQ(game.Screens().clearFont, nullptr);
}

TEST(RankTitle, BoundariesOfTheBands)
{
    const std::pair<int, const char*> bands[] = {{0, "BeginnerMage\n"}, {10, "BeginnerMage\n"}, {11, "MagicUser\n"},
        {21, "Shaman\n"}, {50, "Wizard\n"}, {100, "Necromancer\n"}, {101, "MasterWarlock\n"}};
    for (const auto& [stages, title] : bands) EXPECT_STREQ(RankTitle(stages), title) << stages;
}

using GameOverTest = ScreenTestGame;

TEST_F(GameOverTest, SpaceDuringTheFadeDoesNothingThenTwoPressesEndIt)
{
    game.SetStageRecordForTests(5);
    game.GetStage()->CreateObject(KindExit);
    game.GetEffects()->Create(EffectLightColumn);
    ThePlayer().heldItem = KindCloakItem;
    game.SetStateForTests(StateGameOverByTime);
    Frames(1);
    EXPECT_EQ(game.GetStage()->ObjectCount(), 0);
    EXPECT_EQ(ThePlayer().heldItem, 0);
    ASSERT_EQ(game.GetEffects()->Count(), 1);
    EXPECT_EQ(game.GetEffects()->First()->Kind(), EffectFadeIn);
    for (int frame = 0; frame < 48; ++frame) Tap(vk::Space);
    EXPECT_EQ(game.Screens().overPhase, 2);
    EXPECT_FALSE(game.FieldVisible());

    Press(vk::Space);
    Frames(1);
    EXPECT_TRUE(TextIs(0xFFDC1E28u, "TimeisoverGAMEOVERPUSHSPACEKEY"));
    Frames(3);   // held: the record stays
    EXPECT_TRUE(TextIs(0xFFDC1E28u, "STAGERECORD5YOURANKISBeginnerMagePUSHSPACEKEY"));
    Release(vk::Space);
    Tap(vk::Space);
    Frames(1);
    EXPECT_EQ(game.State(), StateTitle);
    EXPECT_EQ(game.StageRecord(), 0);
    EXPECT_EQ(game.GetEffects()->Count(), 0);
    EXPECT_EQ(game.Screens().overFont, nullptr);
}

TEST_F(GameOverTest, LifeRunOutNamesItsCause)
{
    game.SetStateForTests(StateGameOverByLife);
    Frames(1 + 48 + 1);
    EXPECT_TRUE(TextIs(0xFFDC1E28u, "LifePowerEmptyGAMEOVERPUSHSPACEKEY"));
}

}  // namespace
