// Long unattended play: a seeded bot drives the whole game, headless and silent, through many
// games while every frame is checked for the things that must always hold.
#include "SoakBot.h"

#include "core/ErrorReport.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "effects/EffectList.h"
#include "game/Game.h"
#include "shell/Trace.h"
#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr int MaxEnemies        = 250;   // the stage start never scatters more
constexpr int ObjectMargin      = 40;    // key, exit, drops, shots and the map marker on top
constexpr int MaxEffects        = 100;   // puffs, smoke, fades and the banner of a busy moment
constexpr float FieldEdge       = 200.0f;   // world units: the ruin covers 0..200 along x and z
constexpr float HighestBody     = 100.0f;   // world units: the drop-in height plus a high jump
constexpr uint64_t DefaultFrames = 20000;

uint64_t SoakFrames()
{
    const char* text = std::getenv("VELMOOR_SOAK_FRAMES");
    if (text == nullptr || *text == '\0') return DefaultFrames;
    const unsigned long long frames = std::strtoull(text, nullptr, 10);
    return frames > 0 ? frames : DefaultFrames;
}

bool IsSceneCode(int state)
{
    static const std::set<int> scenes = {StateStartup, StateTitle, StateStageStart, StatePlay,
                                         StateStageClear, StateGameOverByLife, StateGameOverByTime};
    return scenes.contains(state);
}

int CountEnemies(const Stage& stage)
{
    int enemies = 0;
    for (const WorldObject* o = stage.First(); o != nullptr; o = o->next) enemies += IsEnemy(o->kind) ? 1 : 0;
    return enemies;
}

// Everything one frame must leave true, with the numbers in the message when it does not.
testing::AssertionResult FrameIsSound(const Game& game, const GameSnapshot& s)
{
    auto fail = [&s]() { return testing::AssertionFailure() << FormatTraceLine(s) << ": "; };
    if (!IsSceneCode(s.state)) return fail() << "unknown scene code";
    if (!(s.time <= 100.0f)) return fail() << "TIME above full";
    if (!(s.life <= 100.0f)) return fail() << "LIFE above full";
    if (!(s.mana >= 0.0f && s.mana <= 100.0f)) return fail() << "MANA outside 0..100";
    if (s.objects > MaxEnemies + ObjectMargin) return fail() << "object list keeps growing";
    if (s.effects > MaxEffects) return fail() << "effect list keeps growing";
    const int enemies = CountEnemies(*game.GetStage());
    if (enemies > MaxEnemies) return fail() << enemies << " enemies";
    const Vec3 p = s.player;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !std::isfinite(s.facing)) {
        return fail() << "player position or heading is not a number";
    }
    if (s.state == StatePlay && (p.x < 0.0f || p.x > FieldEdge || p.z < 0.0f || p.z > FieldEdge ||
                                 p.y < 0.0f || p.y > HighestBody)) {
        return fail() << "player left the ruin";
    }
    return testing::AssertionSuccess();
}

// What a run went through, for the checks at its end and for the log.
struct SoakTally {
    uint64_t frames = 0;
    int games = 0;            // games that reached the game-over screen and went back to the title
    int stageClears = 0;
    int overByLife = 0;
    int overByTime = 0;
    unsigned highestStage = 0;
    unsigned mostObjects = 0;
    unsigned mostEffects = 0;
    std::set<int> scenes;

    void Count(int from, const GameSnapshot& s)
    {
        ++frames;
        scenes.insert(s.state);
        highestStage = std::max(highestStage, s.stage);
        mostObjects = std::max(mostObjects, s.objects);
        mostEffects = std::max(mostEffects, s.effects);
        if (from == s.state) return;
        if (s.state == StateStageClear) ++stageClears;
        if (s.state == StateGameOverByLife) ++overByLife;
        if (s.state == StateGameOverByTime) ++overByTime;
        if (s.state == StateTitle && (from == StateGameOverByLife || from == StateGameOverByTime)) ++games;
    }
};

class Soak : public testing::Test {
protected:
    void SetUp() override
    {
        UseLogicOnlySettings();
    }
    void TearDown() override { ResetErrorReportForTests(); }

    // Plays `frames` frames of a fresh game with the bot; stops at the first broken frame.
    testing::AssertionResult Play(uint32_t seed, uint64_t frames, SoakTally& tally,
                                  std::vector<std::string>* trace = nullptr)
    {
        SharedRandom().Seed(seed);
        Game game;
        if (!game.Init()) return testing::AssertionFailure() << "the game did not start";
        SoakBot bot(seed ^ 0x5eed5eedu);
        // VELMOOR_SOAK_TRACE=FILE keeps every frame's state, to compare two builds or find a fault.
        const char* tracePath = trace ? nullptr : std::getenv("VELMOOR_SOAK_TRACE");
        const std::unique_ptr<FILE, int (*)(FILE*)> traceFile(tracePath ? std::fopen(tracePath, "w") : nullptr,
                                                              [](FILE* f) { return f ? std::fclose(f) : 0; });
        int previous = game.State();
        for (uint64_t frame = 0; frame < frames; ++frame) {
            if (!game.Frame()) return testing::AssertionFailure() << "frame " << frame << " asked to quit";
            const GameSnapshot snapshot = game.Snapshot(frame);
            const testing::AssertionResult sound = FrameIsSound(game, snapshot);
            if (!sound) return sound;
            tally.Count(previous, snapshot);
            previous = snapshot.state;
            if (trace) trace->push_back(FormatTraceLine(snapshot));
            if (traceFile) std::fputs(FormatTraceLine(snapshot).c_str(), traceFile.get());
            bot.Act(game);
        }
        if (FatalErrorRaised()) return testing::AssertionFailure() << "a fatal error was raised";
        return testing::AssertionSuccess();
    }
};

}  // namespace

TEST_F(Soak, BotPlaysManyGamesAndEveryFrameStaysInBounds)
{
    const uint64_t frames = SoakFrames();
    SoakTally tally;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Play(20240917, frames, tally));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak frames=%llu games=%d stage_clears=%d over_life=%d over_time=%d highest_stage=%u "
                "most_objects=%u most_effects=%u seconds=%.1f\n",
                static_cast<unsigned long long>(tally.frames), tally.games, tally.stageClears, tally.overByLife,
                tally.overByTime, tally.highestStage, tally.mostObjects, tally.mostEffects, seconds);

    // The game must keep cycling: title, stages, game over and back, with both endings.
    const int expectedGames = static_cast<int>(frames / 10000);   // a game rarely outlasts a few stages
    EXPECT_GE(tally.games, expectedGames);
    EXPECT_GE(tally.overByLife, 1);
    EXPECT_GE(tally.overByTime, 1);
    EXPECT_GE(tally.stageClears, 1);
    for (const int scene : {StateTitle, StateStageStart, StatePlay, StateStageClear}) {
        EXPECT_TRUE(tally.scenes.contains(scene)) << "scene " << scene << " never reached";
    }
}

// The same seeds must give the same game frame for frame; a difference means some state is
// read before it is set or survives from an earlier game.
TEST_F(Soak, SameSeedsPlayTheSameGame)
{
    constexpr uint64_t frames = 3000;
    SoakTally first;
    SoakTally second;
    std::vector<std::string> firstTrace;
    std::vector<std::string> secondTrace;
    ASSERT_TRUE(Play(77, frames, first, &firstTrace));
    ASSERT_TRUE(Play(77, frames, second, &secondTrace));
    ASSERT_EQ(firstTrace.size(), secondTrace.size());
    for (size_t i = 0; i < firstTrace.size(); ++i) {
        ASSERT_EQ(firstTrace[i], secondTrace[i]) << "runs part at frame " << i;
    }
    EXPECT_TRUE(first.scenes.contains(StatePlay));   // the compared stretch includes real play
}
