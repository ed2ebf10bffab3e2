#include "platform/system/Clock.h"

#include <chrono>
#include <thread>

namespace platform {
namespace {
const auto processStart = std::chrono::steady_clock::now();
}

uint32_t Milliseconds()
{
    const auto elapsed = std::chrono::steady_clock::now() - processStart;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SleepMilliseconds(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

double Seconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - processStart).count();
}

}  // namespace platform
