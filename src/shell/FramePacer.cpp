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

bool FramePacer::DueOnSchedule()
{
    const uint32_t now = clock();
    if (!scheduled) {
        scheduled = true;
        nextDue = now;
    }
    // Signed difference of unsigned times: right across the clock's wrap-around.
    const int32_t late = static_cast<int32_t>(now - nextDue);
    if (late < 0) return false;
    nextDue = late >= static_cast<int32_t>(FramePeriodMs) ? now + FramePeriodMs : nextDue + FramePeriodMs;
    return true;
}
