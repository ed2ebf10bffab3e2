#pragma once
#include "KeyHands.h"
#include "RuinRoute.h"

#include "game/Game.h"
#include "shell/Replay.h"

#include <cstdint>
#include <string>
#include <vector>

class WorldObject;

// What a recorded game sets out to show.
enum class Goal {
    ClearStage,   // title, stage 1, its exit, the stage clear, into stage 2
    LoseByTime,   // TIME runs out, then the game-over screen, the title and a new game
    LoseByLife,   // LIFE runs out, the same way back into a new game
};

// Plays one real game headless from its first frame, choosing each frame's keys from the game's
// own state, and records them as a replay that plays the same game again.
class Autopilot {
public:
    Autopilot(Goal goal, uint32_t seed);

    // Plays until the goal is shown or `frameBudget` frames have run. True on success.
    bool Run(uint64_t frameBudget);

    const Replay& Recording() const { return recording; }
    uint64_t FramesPlayed() const { return frame; }
    const std::string& Outcome() const { return outcome; }   // how the run ended, for people
    const std::vector<std::string>& Trace() const { return trace; }

private:
    Intent Decide();
    Intent OnScreens() const;
    Intent InPlay();
    Intent TowardGoal();
    Intent KeepTimeRunning();
    Intent SeekEnemies();
    void FollowRoute(Column target, Vec3 exactTarget, Intent& intent);
    void Steer(Vec3 target, Intent& intent, bool walk) const;
    void JumpWhereNeeded(Column here, Column next, float heading, Intent& intent) const;
    void CastAtEnemiesAhead(Intent& intent);
    void TurnToward(const WorldObject& enemy, Intent& intent) const;
    bool Stuck();
    bool CheckProgress();

    const WorldObject* Find(int8_t kind) const;
    const WorldObject* NearestEnemy() const;
    float HeadingError(Vec3 target) const;   // radians from the player's facing, -pi..pi
    bool OnGround() const;

    Goal goal;
    uint32_t seed;
    Game game;
    Replay recording;
    KeyHands hands{recording};
    uint64_t frame = 0;                 // the next frame to run
    std::string outcome;
    std::vector<std::string> trace;     // the game's trace line of every frame played

    // Progress toward the goal.
    bool lost = false;                  // the game-over screen of the goal has been seen
    uint64_t framesInFinalPlay = 0;     // frames into the play that ends the recording

    // Walking.
    uint64_t lastCastFrame = 0;
    uint64_t lastStuckCheck = 0;
    Vec3 stuckCheckPosition;
    int stuckCount = 0;                 // checks in a row without progress
    uint64_t escapeUntil = 0;           // frames of walking somewhere else to get loose
    Column escapeColumn;
};
