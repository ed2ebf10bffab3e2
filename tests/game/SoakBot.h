#pragma once
#include "graphics/Vec3.h"

#include <cstdint>
#include <random>
#include <set>

class Game;
class Player;

// A seeded player for long unattended runs: it looks at the game between frames and presses
// and lets go of keys as a person might, sending the same key-down and key-up messages the
// main loop would. Each game gets a plan (wander, charge the enemies, stand idle, or hunt for
// the key and the exit), so over many games both endings and stage clears come up.
class SoakBot {
public:
    explicit SoakBot(uint32_t seed) : random(seed) {}

    // Called between two frames: sends this frame's key messages to the game.
    void Act(Game& game);

private:
    enum class Plan : uint8_t { Wander, Charge, Idle, Seek };

    void ActOnTitle();
    void ActOnScreen();
    void ActInPlay(Game& game);
    void SteerToward(const Player& player, const Vec3& target);
    void Wander();

    // Key handling: `wanted` is what this frame should hold; taps go down for one frame.
    void Hold(uint8_t key) { wanted.insert(key); }
    void Tap(uint8_t key) { taps.insert(key); }
    void SendKeys(Game& game);

    bool Chance(int percent) { return static_cast<int>(random() % 100) < percent; }
    int Between(int low, int high) { return low + static_cast<int>(random() % (high - low + 1)); }

    std::mt19937      random;                 // the bot's own draws: the game's sequence stays untouched
    Plan              plan = Plan::Wander;
    int               previousState = -1;     // scene code seen last frame
    int               idleFrames = 0;         // frames left of a pause in any scene
    std::set<uint8_t> wanted;                 // keys to hold through this frame
    std::set<uint8_t> taps;                   // keys to press for this frame only
    std::set<uint8_t> down;                   // keys the game currently believes down
};
