#include "shell/FramePacer.h"

bool FramePacer::ReadyOrWait()
{
    // Unsigned difference: correct across the clock's wrap-around.
    const uint32_t elapsed = clock() - frameStart;
    if (elapsed >= FramePeriodMs) return true;
    waiter(FramePeriodMs - elapsed);
    return false;
}

uint32_t FramePacer::MillisecondsLeft() const
{
    const uint32_t elapsed = clock() - frameStart;
    return elapsed >= FramePeriodMs ? 0 : FramePeriodMs - elapsed;
}

void FramePacer::WaitAtMost(uint32_t milliseconds)
{
    const uint32_t left = MillisecondsLeft();
    if (left > 0) waiter(milliseconds < left ? milliseconds : left);
}
