#pragma once
#include <cstdint>

// The one random sequence of the game. It reproduces the classic runtime generator that the
// game was balanced with (state * 214013 + 2531011, result bits 16..30), so a seed always
// gives the same ruins, enemies and drops. Every draw of the game goes through SharedRandom(),
// in a fixed order; never call the C library's rand(), whose sequence differs.
class Random {
public:
    static constexpr int Max = 32767;

    explicit Random(uint32_t seed = 1) : state(seed) {}

    void Seed(uint32_t seed) { state = seed; }   // srand
    int Next();                                  // rand: 0..32767

    uint32_t State() const { return state; }
    uint64_t DrawCount() const { return draws; } // draws since construction (for tests and tools)

private:
    uint32_t state;       // the full 32-bit generator state
    uint64_t draws = 0;   // how many values Next has handed out
};

Random& SharedRandom();
