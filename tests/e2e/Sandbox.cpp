#include "Sandbox.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

constexpr int WatchdogSeconds = 120;   // a run that hangs is ended and counted as a failure
constexpr int WatchdogExit = 124;      // what timeout(1) reports for it

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

const std::vector<std::string>& DataFileNames()
{
    static const std::vector<std::string> names = {"parts.dds", "bomb.wav", "kemu.wav", "HitD@22.wav",
                                                   "get.wav", "WindD@11.wav", "run.mid"};
    return names;
}

Sandbox::Sandbox(const std::string& name)
    : folder(fs::path(VELMOOR_TEST_OUTPUT_DIR) / "robustness" / name)
{
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);
    if (error) return;
    // A hard link keeps the program's own folder the sandbox without copying it each time.
    const fs::path program(VELMOOR_EXECUTABLE);
    fs::create_hard_link(program, folder / "velmoor", error);
    if (error) fs::copy_file(program, folder / "velmoor", error);
    if (error) return;
    for (const std::string& file : DataFileNames()) {
        fs::copy_file(program.parent_path() / file, folder / file, error);
        if (error) return;
    }
    ready = true;
}

Sandbox::~Sandbox()
{
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(folder, error);
}

void Sandbox::Remove(const std::string& name) const { fs::remove(File(name)); }

void Sandbox::Empty(const std::string& name) const { std::ofstream(File(name), std::ios::trunc); }

void Sandbox::Truncate(const std::string& name, size_t keptBytes) const { fs::resize_file(File(name), keptBytes); }

void Sandbox::Overwrite(const std::string& name, size_t offset, const std::string& bytes) const
{
    std::fstream file(File(name), std::ios::binary | std::ios::in | std::ios::out);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Sandbox::Write(const std::string& name, const std::string& contents) const
{
    std::ofstream(File(name), std::ios::binary | std::ios::trunc) << contents;
}

std::vector<char> Sandbox::Read(const std::string& name) const
{
    std::ifstream file(File(name), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), {});
}

Sandbox::Run Sandbox::Start(const std::string& arguments, const std::string& environment) const
{
    // The output files live beside the sandbox, as its folder may be made read-only.
    const fs::path out = folder.string() + ".out";
    const fs::path err = folder.string() + ".err";
    // Sanitizer builds of the program get the project's leak suppressions, as the tests do.
    const fs::path suppressions = fs::path(VELMOOR_TEST_SOURCE_DIR).parent_path() / "scripts" / "lsan-suppressions.txt";
    const std::string command = "cd " + Quoted(folder) + " && exec timeout -k 5 " + std::to_string(WatchdogSeconds) +
                                " env " + environment + " LSAN_OPTIONS=suppressions=" + Quoted(suppressions) + " ./velmoor " + arguments + " >" + Quoted(out) + " 2>" +
                                Quoted(err) + " </dev/null";
    const int status = std::system(command.c_str());
    Run run;
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    // timeout(1) passes a child's death by a signal on as 128 + the signal.
    if (run.exitCode > 128) run.signal = run.exitCode - 128;
    run.out = ReadText(out);
    run.err = ReadText(err);
    fs::remove(out);
    fs::remove(err);
    return run;
}

bool Sandbox::Run::Crashed() const
{
    return signal != 0 || exitCode == WatchdogExit || exitCode < 0 ||
           err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos;
}

std::vector<std::string> Sandbox::Run::ErrLines() const
{
    std::vector<std::string> lines;
    std::istringstream stream(err);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}
