#include "shell/FramePacer.h"

bool FramePacer::ReadyOrWait()
{
    // Unsigned difference: correct across the clock's wrap-around.
    const uint32_t elapsed = clock() - frameStart;
    if (elapsed >= FramePeriodMs) return true;
    waiter(FramePeriodMs - elapsed);
    return false;
}
