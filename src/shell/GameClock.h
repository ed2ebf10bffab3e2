#pragma once
#include <cstdint>

// The millisecond clock the game reads: frame pacing and the two clock-driven animations
// (billboard frames, the scrolling light column). Tests and tools may pin it to a value.
uint32_t GameMilliseconds();
void SetGameClockForTests(uint32_t milliseconds);   // pins the clock
void UseRealGameClock();                            // back to the platform clock
