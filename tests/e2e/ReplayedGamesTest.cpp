// Whole games played from the first frame by the real program, from recorded replays, and
// checked through the trace it writes.
#include "GameRun.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct PlayedGame {
    RunResult run;
    std::vector<TraceLine> trace;
    std::vector<SceneRun> scenes;
};

// Each replay is played once per test program; the tests read the same run.
const PlayedGame& Play(const std::string& name)
{
    static std::map<std::string, PlayedGame> played;
    auto found = played.find(name);
    if (found != played.end()) return found->second;
    PlayedGame game;
    const std::string path = ReplayPath(name);
    game.run = ReplayHeadless(path, RecordedFrames(path));
    game.trace = ParseTrace(game.run.output);
    game.scenes = SceneRuns(game.trace);
    return played.emplace(name, std::move(game)).first->second;
}

const TraceLine& At(const PlayedGame& game, uint64_t frame) { return game.trace.at(frame); }

// The n-th stretch of `state` (counting from 0).
const SceneRun& Scene(const PlayedGame& game, int state, int n = 0)
{
    for (const SceneRun& run : game.scenes) {
        if (run.state == state && n-- == 0) return run;
    }
    static const SceneRun none{-1, 0, 0};
    ADD_FAILURE() << "no stretch " << n << " of scene " << state;
    return none;
}

const SceneRun& LastScene(const PlayedGame& game, int state)
{
    for (auto run = game.scenes.rbegin(); run != game.scenes.rend(); ++run) {
        if (run->state == state) return *run;
    }
    return Scene(game, state);
}

void ExpectCompleteRun(const std::string& name)
{
    const PlayedGame& game = Play(name);
    ASSERT_EQ(game.run.exitCode, 0) << game.run.errors;
    const uint64_t frames = RecordedFrames(ReplayPath(name));
    ASSERT_GT(frames, 0u) << name << " has no '# frames' comment";
    ASSERT_EQ(game.trace.size(), frames);
    for (uint64_t i = 0; i < frames; ++i) ASSERT_EQ(game.trace[i].frame, i);
}

// A stage starts with full TIME, the key and stage + 20 or more enemies.
void ExpectStageStart(const PlayedGame& game, int n, unsigned stage)
{
    const TraceLine& ready = At(game, Scene(game, 10, n).last);
    EXPECT_EQ(ready.stage, stage);
    EXPECT_EQ(ready.time, 100.0f);
    EXPECT_GE(ready.objects, 1 + stage + 20);
    EXPECT_LE(ready.objects, 1 + stage + 20 + stage / 2);
}

// After the game over, the title and a fresh game of stage 1 with full counters.
void ExpectNewGameAfterGameOver(const PlayedGame& game, int lossState)
{
    const SceneRun& over = Scene(game, lossState);
    EXPECT_EQ(At(game, over.last).stage, 0u);
    EXPECT_EQ(At(game, over.last).objects, 0u);
    EXPECT_GT(over.last - over.first, 48u) << "the fade alone lasts 48 frames";
    const SceneRun& title = Scene(game, 5, 1);
    for (uint64_t f = title.first; f <= title.last; ++f) ASSERT_EQ(At(game, f).stage, 0u) << f;
    const TraceLine& ready = At(game, LastScene(game, 10).last);
    EXPECT_EQ(ready.stage, 1u);
    EXPECT_EQ(ready.time, 100.0f);
    EXPECT_EQ(ready.life, 100.0f);
    EXPECT_EQ(ready.mana, 100.0f);
    EXPECT_EQ(ready.objects, 22u);
}

}  // namespace

TEST(ReplayedGames, ClearingStageOneLeadsThroughTheTimeBonusIntoStageTwo)
{
    ExpectCompleteRun("clear-stage.replay");
    const PlayedGame& game = Play("clear-stage.replay");
    EXPECT_EQ(SceneSequence(game.scenes), (std::vector<int>{0, 5, 10, 20, 30, 10, 20}));

    for (uint64_t f = 0; f <= Scene(game, 5).last; ++f) ASSERT_EQ(At(game, f).stage, 0u) << f;
    ExpectStageStart(game, 0, 1);
    EXPECT_EQ(At(game, Scene(game, 10).last).objects, 22u);   // 21 enemies and the key
    EXPECT_EQ(At(game, Scene(game, 10).last).life, 100.0f);
    EXPECT_EQ(At(game, Scene(game, 10).last).mana, 100.0f);

    const SceneRun& play = Scene(game, 20);
    for (uint64_t f = play.first; f <= play.last; ++f) {
        ASSERT_GE(At(game, f).time, 0.0f) << f;
        ASSERT_GE(At(game, f).life, 0.0f) << f;
    }
    // The stage clear empties the list and turns the TIME left into LIFE or MANA.
    const SceneRun& clear = Scene(game, 30);
    const TraceLine& reached = At(game, play.last);
    const TraceLine& converted = At(game, clear.last);
    EXPECT_GT(reached.time, 0.0f);
    EXPECT_EQ(converted.time, 0.0f);
    EXPECT_EQ(converted.objects, 0u);
    EXPECT_EQ(converted.stage, 1u);
    EXPECT_GE(converted.life + converted.mana, reached.life + reached.mana);
    EXPECT_GE(clear.last - clear.first, 1u + 49u + 15u + 50u + 30u) << "the screen's fixed phases";

    ExpectStageStart(game, 1, 2);
    EXPECT_EQ(At(game, Scene(game, 10, 1).last).life, converted.life) << "LIFE carries over";
    EXPECT_EQ(At(game, Scene(game, 20, 1).last).stage, 2u);
}

TEST(ReplayedGames, RunningOutOfTimeEndsTheGameAndANewOneStartsFromTheTitle)
{
    ExpectCompleteRun("lose-by-time.replay");
    const PlayedGame& game = Play("lose-by-time.replay");
    EXPECT_EQ(SceneSequence(game.scenes), (std::vector<int>{0, 5, 10, 20, 42, 5, 10, 20}));
    ExpectStageStart(game, 0, 1);

    const SceneRun& play = Scene(game, 20);
    const TraceLine& last = At(game, play.last);
    EXPECT_LT(last.time, 0.0f);
    EXPECT_GE(last.life, 0.0f);
    EXPECT_GE(At(game, play.last - 1).time, 0.0f) << "the game ends in the first frame below 0";
    // Full TIME drains at 0.025 a frame: 4000 frames when nothing refills or stops it.
    EXPECT_NEAR(static_cast<double>(play.last - play.first + 1), 4000.0, 2.0);
    EXPECT_EQ(At(game, Scene(game, 42).first).stage, 1u);
    ExpectNewGameAfterGameOver(game, 42);
}

TEST(ReplayedGames, RunningOutOfLifeEndsTheGameAndANewOneStartsFromTheTitle)
{
    ExpectCompleteRun("lose-by-life.replay");
    const PlayedGame& game = Play("lose-by-life.replay");
    EXPECT_EQ(SceneSequence(game.scenes), (std::vector<int>{0, 5, 10, 20, 30, 10, 20, 41, 5, 10, 20}));
    ExpectStageStart(game, 0, 1);
    ExpectStageStart(game, 1, 2);

    const SceneRun& play = Scene(game, 20, 1);
    const TraceLine& last = At(game, play.last);
    EXPECT_LT(last.life, 0.0f);
    EXPECT_GE(last.time, 0.0f);
    EXPECT_GE(At(game, play.last - 1).life, 0.0f) << "the game ends in the first frame below 0";
    // Each touch costs 5 to 11 LIFE: the fall below 0 is one such step.
    EXPECT_GE(At(game, play.last - 1).life - last.life, 5.0f);
    EXPECT_LE(At(game, play.last - 1).life - last.life, 11.0f + 1.0f);
    EXPECT_EQ(At(game, Scene(game, 41).first).stage, 2u);
    ExpectNewGameAfterGameOver(game, 41);
}

TEST(ReplayedGames, ASecondRunOfEachReplayWritesTheIdenticalTrace)
{
    for (const char* name : {"clear-stage.replay", "lose-by-time.replay", "lose-by-life.replay"}) {
        const std::string path = ReplayPath(name);
        const RunResult again = ReplayHeadless(path, RecordedFrames(path));
        ASSERT_EQ(again.exitCode, 0) << again.errors;
        const auto first = ParseTrace(Play(name).run.output);
        const auto second = ParseTrace(again.output);
        ASSERT_EQ(first.size(), second.size()) << name;
        EXPECT_TRUE(Play(name).run.output.substr(0, Play(name).run.output.find("timedemo")) ==
                    again.output.substr(0, again.output.find("timedemo")))
            << name << " played differently the second time";
    }
}
