#pragma once
// A virtual X server of the test's own (Xvfb), for tests that play the game in real windows
// and press keys with xdotool as a player would. Everything waits for what it expects to see,
// never for a fixed time.
#include "RunGame.h"

#include <functional>
#include <memory>
#include <string>

// Polls `done` every 20 ms until it holds or a minute has passed; the last answer.
bool WaitUntil(const std::function<bool()>& done);

class VirtualDisplay {
public:
    // Empty when Xvfb or xdotool is missing: the test should skip saying so.
    static std::string MissingTools();

    VirtualDisplay();                    // starts the server on a free display number
    bool Ready() const { return !variable.empty(); }
    const std::string& Variable() const { return variable; }   // "DISPLAY=:N"

    // Runs xdotool with `arguments` on this display; its standard output.
    std::string Xdotool(const std::string& arguments) const;
    // Waits until a window of the game carries `title` (read with getwindowname: SDL leaves the
    // legacy title property in a single-byte encoding, so xdotool's --name cannot match Japanese).
    bool WindowAppears(const std::string& title) const;
    // Waits until the window with the keyboard focus carries `title`.
    bool FocusedWindowIs(const std::string& title) const;

private:
    std::unique_ptr<GameProcess> server;
    std::string variable;
};
