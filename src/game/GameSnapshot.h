#pragma once
#include "graphics/Vec3.h"

#include <cstdint>

// The state of the game after a frame, as the trace writes it and tests and tools compare it:
// the scene, the stage record and the player's counters.
struct GameSnapshot {
    uint64_t frame = 0;
    int state = 0;          // scene code
    unsigned stage = 0;     // stage record
    Vec3 player;            // player position, world units
    float facing = 0.0f;    // player heading, radians
    float time = 0.0f;      // TIME
    float life = 0.0f;      // LIFE
    float mana = 0.0f;      // MANA
    unsigned objects = 0;   // world objects in the stage's list
    unsigned effects = 0;   // effects in the effect list
    int item = 0;           // held power item kind, 0 for none
};
