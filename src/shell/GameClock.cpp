#include "shell/GameClock.h"

#include "platform/Clock.h"

namespace {
bool pinned = false;
uint32_t pinnedValue = 0;
}  // namespace

uint32_t GameMilliseconds() { return pinned ? pinnedValue : platform::Milliseconds(); }

void SetGameClockForTests(uint32_t milliseconds)
{
    pinned = true;
    pinnedValue = milliseconds;
}

void UseRealGameClock() { pinned = false; }
