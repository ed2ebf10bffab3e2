// The game's own dialogs in a real window: on a virtual X server, answered with xdotool key
// presses as a player would, each step waiting for the window it expects.
#include "GameRun.h"
#include "Sandbox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Output(const std::string& command)
{
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return text;
    char buffer[4096];
    for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, count);
    pclose(pipe);
    return text;
}

pid_t Launch(const std::string& command, const fs::path& folder)
{
    const pid_t child = fork();
    if (child == 0) {
        if (chdir(folder.c_str()) != 0) _exit(126);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

// The exit code once the process has ended by itself; -1 (after stopping it) if it has not
// within the time.
int AwaitExit(pid_t pid, int seconds)
{
    int status = 0;
    for (int waited = 0; waited < seconds * 20; ++waited) {
        if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// A virtual X server of the test's own, and the game started on it with its own player files.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("{ command -v Xvfb && command -v xdotool && command -v fc-list; } >/dev/null") != 0) {
            GTEST_SKIP() << "needs Xvfb, xdotool and fc-list (scripts/install-deps)";
        }
        home = fs::path(VELMOOR_TEST_OUTPUT_DIR) / "dialogs" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(home);
        fs::create_directories(home);
        for (display = 400 + getpid() % 200; fs::exists("/tmp/.X11-unix/X" + std::to_string(display)); ++display) {}
        server = Launch("Xvfb :" + std::to_string(display) + " -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1", "/");
        // Ready once it answers a client, not merely when its socket is there.
        ASSERT_EQ(std::system(("timeout 20 sh -c 'until " + Environment() +
                               "xdotool getdisplaygeometry >/dev/null 2>&1; do sleep 0.05; done'").c_str()), 0);
    }
    void TearDown() override
    {
        if (game > 0) AwaitExit(game, 0);
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
    }
    std::string Environment() const
    {
        return "env DISPLAY=:" + std::to_string(display) + " XDG_CONFIG_HOME=" + (home / "config").string() +
               " XDG_DATA_HOME=" + (home / "data").string() + " ";
    }
    void Start(const std::string& program, const std::string& arguments, const fs::path& folder)
    {
        game = Launch(Environment() + program + " " + arguments + " 2>" + (home / "stderr").string(), folder);
    }
    // Waits for a window of the game with the title (xdotool's own --name search cannot be
    // used: it reads the legacy title property, which SDL leaves in a single-byte encoding).
    bool WindowAppears(const std::string& title) const
    {
        return Await("for w in \\$(" + Environment() + "xdotool search --classname velmoor); do " + Environment() +
                     "xdotool getwindowname \\$w; done", title);
    }
    // Waits until a dialog has the keyboard: it takes it itself once it is on the screen.
    bool DialogAnswers(const std::string& title) const
    {
        return Await(Environment() + "xdotool getwindowfocus getwindowname 2>/dev/null", title);
    }
    bool Await(const std::string& lines, const std::string& wanted) const
    {
        const std::string wait = "until (" + lines + ") | grep -qx '" + wanted + "'; do sleep 0.05; done";
        return std::system(("timeout 20 sh -c \"" + wait + "\"").c_str()) == 0;
    }
    void Keys(const std::string& keys) const { std::system((Environment() + "xdotool " + keys).c_str()); }
    std::string GameWindowGeometry() const
    {
        return Output(Environment() + "xdotool search --name '^Velmoor$' getwindowgeometry");
    }
    // Escape held in the game ends it; the exit code.
    int HoldEscapeUntilTheGameEnds()
    {
        Keys("search --name '^Velmoor$' windowfocus keydown Escape");
        const int code = AwaitExit(game, 30);
        game = -1;
        Keys("keyup Escape");
        return code;
    }

    int display = 0;
    pid_t server = -1;
    pid_t game = -1;
    fs::path home;
};

bool HasJapaneseFontOpen(pid_t pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    const std::string japanese = Output("fc-list :lang=ja file");
    for (std::string line; std::getline(maps, line);) {
        const size_t path = line.find('/');
        if (path == std::string::npos) continue;
        const std::string file = line.substr(path);
        const bool font = file.ends_with(".ttf") || file.ends_with(".otf") || file.ends_with(".ttc");
        if (font && japanese.find(file + ":") != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST_F(DialogTest, ModeDialogIsWrittenInJapaneseAndReturnPlaysInAWindow)
{
    Start(VELMOOR_EXECUTABLE, "", fs::current_path());
    ASSERT_TRUE(DialogAnswers("プレイ画面の選択")) << "no mode dialog";
    EXPECT_TRUE(HasJapaneseFontOpen(game)) << "the dialog draws without a Japanese font";
    Keys("key Return");
    ASSERT_TRUE(WindowAppears("Velmoor")) << "Return did not start the game";
    EXPECT_NE(GameWindowGeometry().find("Geometry: 640x480"), std::string::npos) << GameWindowGeometry();
    EXPECT_EQ(HoldEscapeUntilTheGameEnds(), 0);
    EXPECT_FALSE(fs::exists(home / "config" / "velmoor")) << "keeping the default answer changes no setting";
}

// (Without a window manager no window is really full screen: the remembered answer tells.)
TEST_F(DialogTest, EscapeLeavesTheDialogUpAndTheAnswerIsOfferedNextTime)
{
    for (int start = 0; start < 2; ++start) {
        Start(VELMOOR_EXECUTABLE, "--no-sound", fs::current_path());
        ASSERT_TRUE(DialogAnswers("プレイ画面の選択"));
        // No cancel: Escape changes nothing. The first time Down picks FullScreen, which is
        // remembered; the second time it is chosen already, and Return keeps it.
        Keys(start == 0 ? "key Escape Down Return" : "key Escape Return");
        ASSERT_TRUE(WindowAppears("Velmoor"));
        EXPECT_EQ(HoldEscapeUntilTheGameEnds(), 0);
        const std::string config = ReadFile((home / "config" / "velmoor" / "velmoor.conf").string());
        EXPECT_NE(config.find("last-mode = fullscreen"), std::string::npos) << "start " << start << config;
    }
}

TEST_F(DialogTest, BrokenSoundFileIsToldInTheGamesOwnWindow)
{
    const Sandbox box("dialog-wave");
    ASSERT_TRUE(box.Ready());
    box.Overwrite("get.wav", 0, "JUNKJUNKJUNKJUNK");
    Start("./velmoor", "--windowed --no-sound --no-render", box.Folder());
    ASSERT_TRUE(DialogAnswers("プログラムを終了します")) << "no error dialog";
    Keys("key Return");
    EXPECT_EQ(AwaitExit(game, 30), 1);
    game = -1;
    const std::string errors = ReadFile((home / "stderr").string());
    EXPECT_NE(errors.find("get.wav"), std::string::npos) << "stderr still names the file: " << errors;
}

TEST_F(DialogTest, BoundKeysReachTheGameAndItsRecordingAsTheGamesOwnKeys)
{
    fs::create_directories(home / "config" / "velmoor");
    std::ofstream(home / "config" / "velmoor" / "velmoor.conf") << "key.jump = j\nkey.cast = space\n";
    const fs::path recording = home / "keys.replay";
    Start(VELMOOR_EXECUTABLE, "--windowed --no-sound --no-render --record " + recording.string(), fs::current_path());
    ASSERT_TRUE(WindowAppears("Velmoor"));
    Keys("search --name '^Velmoor$' windowfocus keydown j keyup j keydown space keyup space");
    EXPECT_EQ(HoldEscapeUntilTheGameEnds(), 0);
    const std::string replay = ReadFile(recording.string());
    const size_t jump = replay.find("down space"), cast = replay.find("down z");
    EXPECT_TRUE(jump != std::string::npos && cast != std::string::npos && jump < cast) << replay;
}
