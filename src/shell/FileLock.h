#pragma once
#include "shell/TextFiles.h"

#include <chrono>
#include <filesystem>

// One game at a time changes a player's file: an advisory lock (flock) on "<file>.lock" beside
// it, held while the file is read, changed and written, never across frames. Two games that
// end together then each keep their record. The lock file stays: removing it would let a
// third game lock a fresh file while the second still holds the old one.
class FileLock {
public:
    // Long enough for another game's write on a slow disk, short enough to be a hitch.
    static constexpr std::chrono::milliseconds Patience{3000};

    // Waits up to `patience` for the lock. The folder must exist: the lock file is made in it,
    // nothing else is.
    explicit FileLock(const std::filesystem::path& file, std::chrono::milliseconds patience = Patience);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return held; }
    bool Busy() const { return busy; }                  // another game held it all the time
    const FileError& Error() const { return error; }    // why it is not held

private:
    int       descriptor = -1;   // the open lock file
    bool      held = false;
    bool      busy = false;
    FileError error;
};
