#include "RunGame.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

bool SetsName(const std::string& entry, const std::string& change)
{
    const std::string name = change.substr(0, change.find('='));
    return entry.compare(0, name.size() + 1, name + "=") == 0;
}

// This process's environment with the test's changes, and the two folders of the game's own
// files pointed into the test's folder.
std::vector<std::string> GameEnvironment(const std::vector<std::string>& changes)
{
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
    std::vector<std::string> all = {"XDG_CONFIG_HOME=" + (TestHome() / "config").string(),
                                    "XDG_DATA_HOME=" + (TestHome() / "data").string()};
    all.insert(all.end(), changes.begin(), changes.end());
    for (const std::string& change : all) {
        std::erase_if(environment, [&](const std::string& entry) { return SetsName(entry, change); });
        if (change.find('=') != std::string::npos) environment.push_back(change);
    }
    return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

fs::path TestHome()
{
    static std::string lastTest;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = test ? std::string(test->test_suite_name()) + "." + test->name() : "outside-tests";
    std::replace(name.begin(), name.end(), '/', '-');
    const fs::path home = fs::path(VELMOOR_TEST_OUTPUT_DIR) / "home" / name;
    if (name != lastTest) FreshTestFolder("home/" + name);
    lastTest = name;
    return home;
}

fs::path GameFolder(const std::string& name)
{
    const fs::path folder = TestHome() / name;
    fs::create_directories(folder);
    const fs::path program(VELMOOR_EXECUTABLE);
    std::error_code linked;
    fs::create_hard_link(program, folder / "velmoor", linked);
    if (linked) fs::copy_file(program, folder / "velmoor");
    for (const char* file : {"parts.dds", "bomb.wav", "kemu.wav", "HitD@22.wav", "get.wav", "WindD@11.wav", "run.mid"}) {
        fs::copy_file(program.parent_path() / file, folder / file);
    }
    return folder;
}

GameProcess::GameProcess(const std::string& arguments, const GameSetup& setup)
    : deadline(std::chrono::steady_clock::now() + setup.timeout)
{
    static int launches = 0;
    const std::string run = "run-" + std::to_string(getpid()) + "-" + std::to_string(++launches);
    outPath = TestHome() / (run + ".out");
    errPath = TestHome() / (run + ".err");
    const std::string program = setup.program.empty() ? std::string(VELMOOR_EXECUTABLE) : setup.program.string();
    const std::string folder = setup.folder.empty() ? TestHome().string() : setup.folder.string();
    std::vector<std::string> argumentStrings = Words(arguments);
    argumentStrings.insert(argumentStrings.begin(), program);
    std::vector<std::string> environmentStrings = GameEnvironment(setup.environment);
    const std::vector<char*> argv = Pointers(argumentStrings);
    const std::vector<char*> envp = Pointers(environmentStrings);
    const std::string out = outPath.string(), err = errPath.string();

    pid = fork();
    if (pid != 0) return;
    // The child: only calls that are safe between fork and exec.
    const int in = open("/dev/null", O_RDONLY);
    const int outFile = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int errFile = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || outFile < 0 || errFile < 0 || chdir(folder.c_str()) != 0) _exit(126);
    dup2(in, 0);
    dup2(outFile, 1);
    dup2(errFile, 2);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
}

GameProcess::~GameProcess()
{
    if (!Running()) return;
    // Asked first, so a display server leaves no lock file behind.
    kill(pid, SIGTERM);
    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    Wait();
}

bool GameProcess::Running()
{
    if (pid > 0 && waitpid(pid, &status, WNOHANG) == pid) pid = -1;   // collected: Wait reads the status
    return pid > 0;
}

std::string GameProcess::OutputSoFar() const
{
    return ReadText(outPath);
}

GameOutput GameProcess::Wait()
{
    GameOutput output;
    while (Running()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            pid = -1;
            output.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(status) && !output.timedOut) output.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) output.signal = WTERMSIG(status);
    output.out = ReadText(outPath);
    output.err = ReadText(errPath);
    return output;
}

GameOutput RunGame(const std::string& arguments, const GameSetup& setup)
{
    return GameProcess(arguments, setup).Wait();
}

bool GameOutput::Crashed() const
{
    return signal != 0 || timedOut || err.find("Sanitizer") != std::string::npos ||
           err.find("runtime error:") != std::string::npos;
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    }
    return lines;
}
