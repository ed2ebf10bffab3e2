// Long unattended play: a seeded bot drives the whole game, headless and silent, through many
// games while every frame is checked for the things that must always hold.
#include "SoakBot.h"

#include "core/ErrorReport.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "game/Game.h"
#include "stage/Stage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

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
    const unsigned long long frames = text ? std::strtoull(text, nullptr, 10) : 0;
    return frames > 0 ? frames : DefaultFrames;
}

auto Fields(const GameSnapshot& s)
{
    return std::tie(s.frame, s.state, s.stage, s.player.x, s.player.y, s.player.z, s.facing, s.time, s.life, s.mana,
                    s.objects, s.effects, s.item);
}

// Everything one frame must leave true, with the numbers in the message when it does not.
testing::AssertionResult FrameIsSound(const Game& game, const GameSnapshot& s)
{
    auto fail = [&s]() { return testing::AssertionFailure() << "frame " << s.frame << " in scene " << s.state << ": "; };
    const std::set<int> scenes = {StateStartup, StateTitle, StateStageStart, StatePlay, StateStageClear,
                                  StateGameOverByLife, StateGameOverByTime};
    if (!scenes.contains(s.state)) return fail() << "unknown scene code";
    if (!(s.time <= 100.0f && s.life <= 100.0f)) return fail() << "TIME " << s.time << " or LIFE " << s.life << " above full";
    if (!(s.mana >= 0.0f && s.mana <= 100.0f)) return fail() << "MANA " << s.mana << " outside 0..100";
    if (s.objects > MaxEnemies + ObjectMargin) return fail() << s.objects << " objects: the list keeps growing";
    if (s.effects > MaxEffects) return fail() << s.effects << " effects: the list keeps growing";
    int enemies = 0;
    for (const WorldObject* o = game.GetStage()->First(); o != nullptr; o = o->next) enemies += IsEnemy(o->kind) ? 1 : 0;
    if (enemies > MaxEnemies) return fail() << enemies << " enemies";
    const Vec3 p = s.player;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !std::isfinite(s.facing)) {
        return fail() << "player position or heading is not a number";
    }
    if (s.state == StatePlay && (p.x < 0.0f || p.x > FieldEdge || p.z < 0.0f || p.z > FieldEdge ||
                                 p.y < 0.0f || p.y > HighestBody)) {
        return fail() << "player left the ruin at " << p.x << " " << p.y << " " << p.z;
    }
    return testing::AssertionSuccess();
}

// What a run went through: how often each scene was entered, and how many games came back to
// the title.
struct SoakTally {
    std::map<int, int> entered;
    int games = 0;
    unsigned highestStage = 0;

    void Count(int from, const GameSnapshot& s)
    {
        highestStage = std::max(highestStage, s.stage);
        if (from == s.state) return;
        ++entered[s.state];
        if (s.state == StateTitle && (from == StateGameOverByLife || from == StateGameOverByTime)) ++games;
    }
};

class Soak : public testing::Test {
protected:
    void SetUp() override { UseLogicOnlySettings(); }
    void TearDown() override { ResetErrorReportForTests(); }

    // Plays `frames` frames of a fresh game; stops at the first broken frame.
    testing::AssertionResult Play(uint32_t seed, uint64_t frames, SoakTally& tally,
                                  std::vector<GameSnapshot>* snapshots = nullptr)
    {
        SharedRandom().Seed(seed);
        Game game;
        if (!game.Init()) return testing::AssertionFailure() << "the game did not start";
        SoakBot bot(seed ^ 0x5eed5eedu);
        int previous = game.State();
        for (uint64_t frame = 0; frame < frames; ++frame) {
            if (!game.Frame()) return testing::AssertionFailure() << "frame " << frame << " asked to quit";
            const GameSnapshot snapshot = game.Snapshot(frame);
            const testing::AssertionResult sound = FrameIsSound(game, snapshot);
            if (!sound) return sound;
            tally.Count(previous, snapshot);
            previous = snapshot.state;
            if (snapshots) snapshots->push_back(snapshot);
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
    std::printf("soak frames=%llu games=%d stage_clears=%d over_life=%d over_time=%d highest_stage=%u seconds=%.1f\n",
                static_cast<unsigned long long>(frames), tally.games, tally.entered[StateStageClear],
                tally.entered[StateGameOverByLife], tally.entered[StateGameOverByTime], tally.highestStage,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());

    // The game must keep cycling: title, stages, game over and back, with both endings.
    EXPECT_GE(tally.games, static_cast<int>(frames / 10000));   // a game rarely outlasts a few stages
    EXPECT_GE(tally.entered[StateGameOverByLife], 1);
    EXPECT_GE(tally.entered[StateGameOverByTime], 1);
    EXPECT_GE(tally.entered[StateStageClear], 1);
}

// The same seeds must give the same game frame for frame; a difference means some state is
// read before it is set or survives from an earlier game.
TEST_F(Soak, SameSeedsPlayTheSameGame)
{
    SoakTally first, second;
    std::vector<GameSnapshot> firstGame, secondGame;
    ASSERT_TRUE(Play(77, 3000, first, &firstGame));
    ASSERT_TRUE(Play(77, 3000, second, &secondGame));
    for (size_t i = 0; i < firstGame.size(); ++i) ASSERT_TRUE(Fields(firstGame[i]) == Fields(secondGame[i])) << "runs part at frame " << i;
    EXPECT_GE(first.entered[StatePlay], 1);   // the compared stretch includes real play
}
