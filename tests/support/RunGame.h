#pragma once
// Starts the built velmoor program as a player or a script would, and reads back what it
// printed and how it ended. Every run keeps its settings and records in the running test's
// own folder (XDG_CONFIG_HOME and XDG_DATA_HOME), never in the real home folder.
#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

struct GameSetup {
    std::filesystem::path program;            // empty: the velmoor of this build; else a path or a name on PATH
    std::filesystem::path folder;             // working folder; empty: the test's own folder
    std::vector<std::string> environment;     // NAME=value sets a variable, a bare NAME unsets it
    std::chrono::seconds timeout{300};        // a run still going then is killed
};

struct GameOutput {
    int exitCode = -1;       // -1 when a signal or the timeout ended the run
    int signal = 0;          // the signal that ended it, 0 for none
    bool timedOut = false;
    std::string out;         // standard output
    std::string err;         // standard error

    // Ended by a signal or the timeout, or a sanitizer spoke.
    bool Crashed() const;
};

// A game (or another program) running in the background; Wait() collects it, and one still
// running when the object goes is stopped.
class GameProcess {
public:
    explicit GameProcess(const std::string& arguments, const GameSetup& setup = {});   // words split at blanks
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool Running();
    pid_t Pid() const { return pid; }      // -1 once it has ended
    std::string OutputSoFar() const;   // what it has written to standard output yet
    GameOutput Wait();

private:
    pid_t pid = -1;                           // -1 once the run has ended and been collected
    int status = -1;                          // as waitpid gave it; -1: never started
    std::filesystem::path outPath;
    std::filesystem::path errPath;
    std::chrono::steady_clock::time_point deadline;
};

GameOutput RunGame(const std::string& arguments, const GameSetup& setup = {});

// A folder of the running test's own holding a link to the program and copies of its data
// files: a run started there with `.program = folder / "velmoor"` finds exactly the files the
// test leaves in it (data files are looked up in the current folder, then beside the program).
std::filesystem::path GameFolder(const std::string& name);

// The running test's own folder under the test output folder, emptied the first time it is
// asked for in a test.
std::filesystem::path TestHome();

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix);
