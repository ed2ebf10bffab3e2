#pragma once
#include <cstdint>

// The millisecond clock the game reads: frame pacing and the two clock-driven animations
// (billboard frames, the scrolling light column). Tests and tools may pin it to a value.
uint32_t GameMilliseconds();

// The shell makes the platform's clock the game's, so pacing and animation read one clock;
// until then (tests, tools) a steady clock of the standard library stands in.
using MillisecondSource = uint32_t (*)();
void SetGameClockSource(MillisecondSource source);

void SetGameClockForTests(uint32_t milliseconds);   // pins the clock
void UseRealGameClock();                            // back to the running clock
