// Whole games played from the first frame by the real program, from recorded replays, and
// checked through the trace it writes: what only a whole game shows, the screens' own timing
// being pinned by the game tests.
#include "GameTrace.h"

#include "game/Game.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct PlayedGame {
    GameOutput run;
    std::vector<TraceLine> trace;
    std::vector<SceneRun> scenes;
};

PlayedGame Play(const std::string& name)
{
    PlayedGame game{ReplayHeadless(ReplayPath(name)), {}, {}};
    game.trace = ParseTrace(game.run.out);
    game.scenes = SceneRuns(game.trace);
    return game;
}

// Every recorded frame is traced, the scenes come in `order`, the stage record counts up from
// 1 in each game and stays until its game-over screen, and every stage starts with full TIME;
// a new game also starts with full LIFE and MANA and with its 21 enemies and the key.
void ExpectWholeGame(const std::string& name, const PlayedGame& game, const std::vector<int>& order)
{
    ASSERT_EQ(game.run.exitCode, 0) << game.run.err;
    const uint64_t frames = RecordedFrames(ReplayPath(name));
    ASSERT_GT(frames, 0u) << name << " has no '# frames' comment";
    ASSERT_EQ(game.trace.size(), frames);
    for (uint64_t i = 0; i < frames; ++i) ASSERT_EQ(game.trace[i].frame, i);
    EXPECT_EQ(SceneSequence(game.scenes), order);
    EXPECT_EQ(game.scenes[0].last, 0u) << "the first frame enters the title";

    unsigned stage = 0;
    for (const SceneRun& scene : game.scenes) {
        if (scene.state == StateTitle) stage = 0;
        if (scene.state == StateStageStart) ++stage;
        EXPECT_EQ(game.trace[scene.first].stage, stage) << "scene " << scene.state << " from frame " << scene.first;
        if (scene.state != StateStageStart) continue;
        const TraceLine& last = game.trace[scene.last];
        EXPECT_EQ(last.time, 100.0f) << "stage " << stage;
        if (stage > 1) continue;
        EXPECT_EQ(last.life, 100.0f);
        EXPECT_EQ(last.mana, 100.0f);
        EXPECT_EQ(last.objects, 22u);
    }
}

// The play that ends a game in `lossState`: its last frame is the first with `counter` below 0.
template <typename Counter> SceneRun ExpectLostInFirstFrameBelowZero(const PlayedGame& game, int lossState, Counter counter)
{
    const auto over = std::find_if(game.scenes.begin(), game.scenes.end(), [&](const SceneRun& s) { return s.state == lossState; });
    if (over == game.scenes.begin() || over == game.scenes.end()) {
        ADD_FAILURE() << "no game over in scene " << lossState;
        return {};
    }
    const SceneRun& play = *(over - 1);
    EXPECT_LT(counter(game.trace[play.last]), 0.0f);
    EXPECT_GE(counter(game.trace[play.last - 1]), 0.0f);
    return play;
}

std::vector<std::string> FrameLines(const std::string& out) { return LinesStartingWith(out, "frame "); }

}  // namespace

TEST(ReplayedGames, ClearingStageOneLeadsIntoStageTwo)
{
    const PlayedGame game = Play("clear-stage.replay");
    ExpectWholeGame("clear-stage.replay", game, {0, 5, 10, 20, 30, 10, 20});
}

TEST(ReplayedGames, TimeRunsOutAfterFourThousandFramesOfPlayAndANewGameStarts)
{
    const PlayedGame game = Play("lose-by-time.replay");
    ExpectWholeGame("lose-by-time.replay", game, {0, 5, 10, 20, 42, 5, 10, 20});
    // Full TIME drains at 0.025 a frame when nothing refills or stops it.
    const SceneRun play = ExpectLostInFirstFrameBelowZero(game, StateGameOverByTime, [](const TraceLine& t) { return t.time; });
    EXPECT_NEAR(static_cast<double>(play.last - play.first + 1), 4000.0, 2.0);
}

TEST(ReplayedGames, LifeRunsOutInStageTwoAndTheSameReplayPlaysTheSameAgain)
{
    const PlayedGame game = Play("lose-by-life.replay");
    ExpectWholeGame("lose-by-life.replay", game, {0, 5, 10, 20, 30, 10, 20, 41, 5, 10, 20});
    ExpectLostInFirstFrameBelowZero(game, StateGameOverByLife, [](const TraceLine& t) { return t.life; });
    // A second process must play the very same game: nothing may depend on the clock,
    // addresses or memory left from before.
    EXPECT_TRUE(FrameLines(Play("lose-by-life.replay").run.out) == FrameLines(game.run.out));
}
