#pragma once
#include "graphics/Vec3.h"

#include <cstdint>
#include <random>
#include <set>

class Game;
class WorldObject;

// A seeded player for long unattended runs: it looks at the game between frames and presses
// and lets go of keys as a person might, sending the same key-down and key-up messages the
// main loop would. Each game gets a plan (wander, charge the enemies, stand idle, or hunt for
// the key and the exit), so over many games both endings and stage clears come up.
class SoakBot {
public:
    enum class Plan : uint8_t { Wander, Charge, Idle, Seek };

    explicit SoakBot(uint32_t seed) : random(seed) {}

    // Called between two frames: sends this frame's key messages to the game.
    void Act(Game& game);

    Plan CurrentPlan() const { return plan; }
    uint32_t MapViewFrames() const { return mapViewFrames; }

private:
    void ActOnTitle(Game& game);
    void ActOnScreen();
    void ActInPlay(Game& game);
    void SteerToward(const Game& game, const Vec3& target);
    bool StuckOn(const WorldObject& target, float distance);
    void Wander();
    void UseMapView();
    void ChoosePlan();

    // Key handling: `wanted` is what this frame should hold; taps go down for one frame.
    void Hold(uint8_t key) { wanted.insert(key); }
    void Tap(uint8_t key) { taps.insert(key); }
    void SendKeys(Game& game);

    bool Chance(int percent) { return static_cast<int>(random() % 100) < percent; }
    int Between(int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); }

    std::mt19937    random;                  // the bot's own draws: the game's sequence stays untouched
    Plan            plan = Plan::Wander;
    int             previousState = -1;      // scene code seen last frame
    int             idleFrames = 0;          // frames left of a pause in any scene
    int             moodFrames = 0;          // frames left of the current wandering mood
    int8_t          moodTurn = 0;            // -1 left, 0 straight, +1 right
    int8_t          moodWalk = 0;            // -1 back, 0 stand, +1 forward
    int             panFrames = 0;           // frames left of the current pan in the map view
    uint8_t         panKey = 0;              // the key that pan holds
    uint32_t        mapViewFrames = 0;       // frames spent in the overhead map view
    int8_t          seekKind = -1;           // what a seeker heads for: its kind and place
    Vec3            seekPlace;
    float           bestDistance = 0.0f;     // world units: the closest it has come
    int             stuckFrames = 0;         // frames without coming closer
    std::set<uint8_t> wanted;                // keys to hold through this frame
    std::set<uint8_t> taps;                  // keys to press for this frame only
    std::set<uint8_t> down;                  // keys the game currently believes down
};
