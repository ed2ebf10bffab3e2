#pragma once
#include "graphics/Vec3.h"

#include <cstdint>
#include <string>

// One line of game state written after each frame with --trace; tests and tools compare runs
// through it, so its format never changes:
//   frame F state S stage R player X Y Z facing A time T life L mana M objects N effects E item K
struct TraceSnapshot {
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

std::string FormatTraceLine(const TraceSnapshot& snapshot);
