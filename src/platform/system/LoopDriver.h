#pragma once
#include <functional>

namespace platform {

// Who drives the main loop. On the desktop the program runs its own loop and sleeps between
// frames; in a browser the page calls the program once per animation frame and the program must
// return each time without ever sleeping.
bool BrowserDrivesLoop();

// Calls `pass` until it returns false, then `finish`, whose result is the program's exit code.
// On the desktop this returns that code. In a browser it hands the loop to the page and never
// returns: the program ends with the code once the loop is done. Whatever the passes use must
// outlive this call (on the desktop it does anyway; in a browser the caller's stack is kept).
int RunLoop(std::function<bool()> pass, std::function<int()> finish);

}  // namespace platform
