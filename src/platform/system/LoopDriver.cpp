#include "platform/system/LoopDriver.h"

namespace platform {

bool BrowserDrivesLoop() { return false; }

int RunLoop(std::function<bool()> pass, std::function<int()> finish)
{
    while (pass()) {
    }
    return finish();
}

}  // namespace platform
