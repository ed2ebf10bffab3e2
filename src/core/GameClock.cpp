#include "core/GameClock.h"

#include <chrono>

namespace {

uint32_t SteadyMilliseconds()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

MillisecondSource source = SteadyMilliseconds;
bool pinned = false;
uint32_t pinnedValue = 0;

}  // namespace

uint32_t GameMilliseconds() { return pinned ? pinnedValue : source(); }

void SetGameClockSource(MillisecondSource newSource) { source = newSource ? newSource : SteadyMilliseconds; }

void SetGameClockForTests(uint32_t milliseconds)
{
    pinned = true;
    pinnedValue = milliseconds;
}

void UseRealGameClock() { pinned = false; }
