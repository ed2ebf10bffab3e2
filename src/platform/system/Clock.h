#pragma once
#include <cstdint>

namespace platform {

// The millisecond clock of the platform (wraps after about 49 days, like the old timer).
uint32_t Milliseconds();
// Sleeps the calling thread; used by the frame pacing to wait without spinning a core.
void SleepMilliseconds(uint32_t milliseconds);
// A finer clock for measurements (timedemo), in seconds.
double Seconds();

}  // namespace platform
