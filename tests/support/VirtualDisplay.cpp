#include "VirtualDisplay.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>

using namespace std::chrono_literals;

namespace {

bool Installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

bool HasLine(const std::string& text, const std::string& wanted)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line == wanted) return true;
    }
    return false;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done)
{
    for (const auto end = std::chrono::steady_clock::now() + 60s; std::chrono::steady_clock::now() < end;) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

std::string VirtualDisplay::MissingTools()
{
    return Installed("Xvfb") && Installed("xdotool") ? "" : "needs Xvfb and xdotool (scripts/install-deps)";
}

VirtualDisplay::VirtualDisplay()
{
    GameSetup xvfb;
    xvfb.program = "Xvfb";
    // -displayfd picks a free display and writes its number once the server takes clients.
    // -noreset: by default the server resets when its last client leaves, and a game started
    // right after another has ended would find no display while it does.
    server = std::make_unique<GameProcess>("-displayfd 1 -noreset -screen 0 800x600x24 -nolisten tcp", xvfb);
    std::string number;
    if (WaitUntil([&] { return (number = server->OutputSoFar()).ends_with('\n'); })) {
        variable = "DISPLAY=:" + number.substr(0, number.size() - 1);
    }
}

std::string VirtualDisplay::Xdotool(const std::string& arguments) const
{
    std::string text;
    FILE* pipe = popen(("env " + variable + " timeout 20 xdotool " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, count);
    pclose(pipe);
    return text;
}

bool VirtualDisplay::WindowAppears(const std::string& title) const
{
    return WaitUntil([&] {
        std::istringstream windows(Xdotool("search --classname velmoor"));
        for (std::string window; windows >> window;) {
            if (HasLine(Xdotool("getwindowname " + window), title)) return true;
        }
        return false;
    });
}

bool VirtualDisplay::FocusedWindowIs(const std::string& title) const
{
    return WaitUntil([&] { return HasLine(Xdotool("getwindowfocus getwindowname"), title); });
}
