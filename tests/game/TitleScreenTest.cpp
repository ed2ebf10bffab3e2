#include "ScreenTestGame.h"

#include "sound/MidiPlayer.h"

namespace {

constexpr uint32_t TitleColour = 0xFFDC1E28u;

// A game on the title's menu: the start-up frame, the set-up frame, one frame of the menu.
class TitleScreenTest : public ScreenTestGame {
protected:
    void SetUp() override
    {
        ScreenTestGame::SetUp();
        Frames(3);
        ASSERT_EQ(game.Screens().titlePhase, 1);
        ASSERT_TRUE(game.FieldVisible()) << "the mages stand in a ruin";
    }
    int8_t Phase() const { return game.Screens().titlePhase; }

    // Taps `key` on the menu and returns the look-at x after each frame of the pan it starts.
    std::vector<float> Pan(uint8_t key)
    {
        Tap(key);
        Frames(1);   // the pan is set up
        std::vector<float> xs;
        while (Phase() == 3 && xs.size() < 30) {
            Tap(vk::Left);   // keys during the pan change nothing
            xs.push_back(game.GetGraphics()->GetLookAt().x);
        }
        return xs;
    }
};

TEST_F(TitleScreenTest, SpaceWithShiftStartsTheGameAfterFortySixFrames)
{
    EXPECT_TRUE(TextIs(TitleColour, "select:Left/Rightkeyaccept:spacekeytexturetype:shiftkey"));
    ThePlayer().life = 3.5f;
    ThePlayer().mana = 0.0f;
    game.SetStageRecordForTests(7);
    Press(vk::Space);
    Press(vk::Shift);
    Frames(1);
    Release(vk::Space);
    Release(vk::Shift);
    ASSERT_EQ(Phase(), 4);
    EXPECT_TRUE(game.GetMusic()->Playing());
    ASSERT_EQ(game.GetEffects()->Count(), 1);
    EXPECT_EQ(game.GetEffects()->First()->Kind(), EffectFadeIn);

    Tap(vk::Shift);
    Tap(vk::Right);
    Frames(43);
    EXPECT_EQ(game.State(), StateTitle);
    Frames(1);
    EXPECT_EQ(game.State(), StateStageStart);
    EXPECT_EQ(Phase(), 0);
    EXPECT_EQ(game.StageRecord(), 0);
    EXPECT_EQ(game.GetStage()->ObjectCount(), 0);
    EXPECT_EQ(game.GetStage()->FigureChoice(), 0);
    EXPECT_EQ(game.Screens().titleFont, nullptr);
    EXPECT_EQ(ThePlayer().life, 100.0f);
    EXPECT_EQ(ThePlayer().mana, 100.0f);
}

TEST_F(TitleScreenTest, PanTakesTwelveFramesBetweenTheFigures)
{
    Tap(vk::Left);   // already on the left figure
    EXPECT_EQ(Phase(), 1);
    const std::vector<float> out = Pan(vk::Right);
    ASSERT_EQ(out.size(), 12u);
    EXPECT_FLOAT_EQ(out[0], 98.5f);
    EXPECT_FLOAT_EQ(out[1], 101.5f);
    for (size_t i = 2; i < 11; ++i) EXPECT_LE(out[i] - out[i - 1], out[i - 1] - out[i - 2]) << "eases out";
    EXPECT_EQ(out[10], 115.0f);
    EXPECT_EQ(out[11], 115.0f);
    EXPECT_EQ(game.Screens().titleSelection, 0);
    EXPECT_EQ(game.Screens().titlePan, nullptr);

    const std::vector<float> back = Pan(vk::Left);
    ASSERT_EQ(back.size(), 12u);
    for (size_t i = 0; i < 12; ++i) EXPECT_FLOAT_EQ(back[i], 210.0f - out[i]);
    EXPECT_EQ(game.Screens().titleSelection, 1);
}

TEST_F(TitleScreenTest, TextureMenuTakesRightThenLeft)
{
    Tap(vk::Shift);
    Frames(1);
    EXPECT_TRUE(TextIs(TitleColour, "TextureGraphics:NONELINEARselect:Left/Rightkeyaccept:spacekey"));
    Tap(vk::Right);
    EXPECT_TRUE(game.LinearFilter());
    for (bool before : {false, true}) {   // both in one frame: Left has the last word
        game.SetLinearFilter(before);
        Press(vk::Right);
        Press(vk::Left);
        Frames(1);
        Release(vk::Right);
        Release(vk::Left);
        EXPECT_FALSE(game.LinearFilter()) << "was " << before;
    }
    Tap(vk::Space);
    EXPECT_EQ(Phase(), 1);
    EXPECT_EQ(game.GetEffects()->Count(), 0) << "back to the menu, no game start";
}

TEST_F(TitleScreenTest, AfterAGameTheTitleStartsAgainOnTheLeftFigure)
{
    Pan(vk::Right);
    Tap(vk::Space);
    Frames(46);
    ASSERT_EQ(game.State(), StateStageStart);
    EXPECT_EQ(game.GetStage()->FigureChoice(), 1);

    Frames(11);   // the stage start; then the game is lost at once
    game.SetStateForTests(StateGameOverByLife);
    Frames(49);
    Tap(vk::Space);
    Tap(vk::Space);
    Frames(1);
    ASSERT_EQ(game.State(), StateTitle);
    EXPECT_FALSE(game.GetMusic()->Playing());
    Frames(1);
    EXPECT_EQ(game.GetGraphics()->GetLookAt(), (Vec3{95.0f, 5.0f, 105.0f}));
    EXPECT_EQ(ObjectKinds(), (std::vector<int8_t>{KindFigure0, KindFigure1}));
    Tap(vk::Space);
    Frames(46);
    EXPECT_EQ(game.GetStage()->FigureChoice(), 0);
}

}  // namespace

// What the game has to say about the player's files waits for the title (or the game over),
// shows there for its time, then gives way to the next.
TEST_F(TitleScreenTest, NoticesShowOnTheTitleOneAfterAnother)
{
    constexpr uint32_t NoticeColour = 0xFFFFD890;
    game.SetStateForTests(StateStageStart);
    game.ShowNotice("Record not saved yet: another game holds it");
    game.ShowNotice("Settings: line 2 is ignored");
    Frames(3);
    EXPECT_TRUE(TextIs(NoticeColour, "")) << "shown at a stage start";
    game.SetStateForTests(StateTitle);
    Frames(1);
    EXPECT_TRUE(TextIs(NoticeColour, "Recordnotsavedyet:anothergameholdsit"));
    Frames(NoticeLine::ShownFrames);
    EXPECT_TRUE(TextIs(NoticeColour, "Settings:line2isignored"));
    Frames(NoticeLine::ShownFrames);
    EXPECT_TRUE(TextIs(NoticeColour, ""));
}
