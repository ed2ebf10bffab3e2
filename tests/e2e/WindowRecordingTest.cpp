// A game played through a real window (on a virtual X server, keys sent by xdotool) and
// recorded; the recording played back headless must give the same game, frame for frame.
#include "GameRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool Installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// A display number nobody uses: no lock file and no socket.
int FreeDisplay()
{
    for (int display = 90 + getpid() % 50; display < 400; ++display) {
        const std::string number = std::to_string(display);
        if (!std::filesystem::exists("/tmp/.X" + number + "-lock") &&
            !std::filesystem::exists("/tmp/.X11-unix/X" + number)) return display;
    }
    return -1;
}

pid_t Start(const std::string& command)
{
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Keeps the virtual X server for one test and stops it afterwards.
class VirtualDisplay {
public:
    VirtualDisplay() : number(FreeDisplay())
    {
        if (number < 0) return;
        server = Start("Xvfb :" + std::to_string(number) + " -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1");
        for (int i = 0; i < 100 && !Ready(); ++i) Sleep(50);
    }
    ~VirtualDisplay()
    {
        if (server <= 0) return;
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    bool Ready() const { return number >= 0 && std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)); }
    std::string Environment() const { return "env DISPLAY=:" + std::to_string(number) + " "; }

private:
    int number;
    pid_t server = -1;
};

}  // namespace

TEST(WindowRecording, AGamePlayedInAWindowReplaysIdenticallyHeadless)
{
    if (!Installed("Xvfb") || !Installed("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool (scripts/install-deps)";
    VirtualDisplay display;
    ASSERT_TRUE(display.Ready()) << "Xvfb did not start";

    const auto folder = std::filesystem::path(VELMOOR_TEST_OUTPUT_DIR) / "e2e";
    std::filesystem::create_directories(folder);
    const std::string recorded = (folder / "window.replay").string();
    const std::string windowTrace = (folder / "window.trace").string();
    std::filesystem::remove(recorded);
    const pid_t game = Start(display.Environment() + VELMOOR_EXECUTABLE + " --windowed --no-sound --record " +
                             recorded + " --trace " + windowTrace + " --frames 400 >/dev/null 2>&1");

    // Wait for the window, give it the keyboard, then play: start from the title, walk, turn,
    // cast and jump.
    const std::string xdotool = display.Environment() + "xdotool ";
    // A failed step must not leave the game running.
    struct StopGame {
        pid_t pid;
        ~StopGame() { if (waitpid(pid, nullptr, WNOHANG) == 0) { kill(pid, SIGTERM); waitpid(pid, nullptr, 0); } }
    };
    const StopGame stopGame{game};
    ASSERT_EQ(std::system((display.Environment() + "timeout 20 xdotool search --sync --name Velmoor >/dev/null 2>&1").c_str()), 0)
        << "the game window did not appear";
    std::system((display.Environment() + "timeout 5 xdotool search --name Velmoor windowfocus >/dev/null 2>&1").c_str());
    const auto key = [&](const char* name, int heldMs) {
        std::system((xdotool + "keydown " + name).c_str());
        Sleep(heldMs);
        std::system((xdotool + "keyup " + name).c_str());
    };
    Sleep(600);
    key("space", 80);
    Sleep(2600);   // the title's fade and the stage start
    key("Up", 900);
    key("Right", 300);
    key("z", 60);
    Sleep(100);
    key("space", 60);
    key("Left", 200);
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the windowed game failed";

    const std::string replay = ReadFile(recorded);
    EXPECT_NE(replay.find("down space"), std::string::npos) << "no key reached the window:\n" << replay;
    EXPECT_NE(replay.find("down up"), std::string::npos) << replay;
    const RunResult again = RunVelmoor("--headless --no-render --no-sound --replay " + recorded + " --trace - --frames 400");
    ASSERT_EQ(again.exitCode, 0) << again.errors;
    const auto live = ParseTrace(ReadFile(windowTrace));
    ASSERT_EQ(live.size(), 400u);
    EXPECT_TRUE(ReadFile(windowTrace) == again.output) << "the replay played a different game";
    bool played = false;
    for (const TraceLine& line : live) played = played || line.state == 20;
    EXPECT_TRUE(played) << "the game never reached play";
}
