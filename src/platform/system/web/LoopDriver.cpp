#include "platform/system/LoopDriver.h"

#include <emscripten.h>

namespace platform {

namespace {

struct BrowserLoop {
    std::function<bool()> pass;
    std::function<int()>  finish;
};

void OnAnimationFrame(void* data)
{
    auto* loop = static_cast<BrowserLoop*>(data);
    if (loop->pass()) return;
    emscripten_cancel_main_loop();
    const int code = loop->finish();
    delete loop;
    // The page hears the code (Module.onExit) and offers another game.
    emscripten_force_exit(code);
}

}  // namespace

bool BrowserDrivesLoop() { return true; }

int RunLoop(std::function<bool()> pass, std::function<int()> finish)
{
    // Every animation frame (a frame rate of 0), and the caller's stack is left as it is:
    // simulating an endless loop, this call does not return.
    emscripten_set_main_loop_arg(OnAnimationFrame, new BrowserLoop{std::move(pass), std::move(finish)}, 0, 1);
    return 0;
}

}  // namespace platform
