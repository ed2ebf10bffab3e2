#pragma once
#include <filesystem>
#include <string>
#include <vector>

// A scratch folder holding a private copy of the velmoor program and of its data files, so a
// run finds exactly the (possibly broken) files a test put there: data files are looked up in
// the current folder and then beside the program, and both are this folder.
class Sandbox {
public:
    explicit Sandbox(const std::string& name);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    bool Ready() const { return ready; }
    const std::filesystem::path& Folder() const { return folder; }
    std::filesystem::path File(const std::string& name) const { return folder / name; }

    // Ways to spoil a data file.
    void Remove(const std::string& name) const;
    void Empty(const std::string& name) const;
    void Truncate(const std::string& name, size_t keptBytes) const;
    void Overwrite(const std::string& name, size_t offset, const std::string& bytes) const;
    void Write(const std::string& name, const std::string& contents) const;
    std::vector<char> Read(const std::string& name) const;

    struct Run {
        int exitCode = -1;          // the program's exit code, -1 when it did not exit by itself
        int signal = 0;             // the signal that ended it, 0 for none
        std::string out;            // standard output
        std::string err;            // standard error
        bool Crashed() const;       // a signal, a sanitizer report or the watchdog
        std::vector<std::string> ErrLines() const;
    };

    // Runs the program in the folder; `environment` is put before it as NAME=value words
    // (a leading '-u NAME' word unsets a variable), as the env command takes them.
    Run Start(const std::string& arguments, const std::string& environment = "") const;

private:
    std::filesystem::path folder;
    bool ready = false;
};

// Data files the game needs beside it.
const std::vector<std::string>& DataFileNames();
