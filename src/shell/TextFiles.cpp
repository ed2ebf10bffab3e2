#include "shell/TextFiles.h"

#include "platform/system/Storage.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view TemporaryInfix = ".tmp-";   // records.tmp-a8Zq3x beside records
constexpr size_t TemporaryLetters = 6;
constexpr int MaxLinkHops = 40;                        // as the kernel allows before ELOOP

FileError Failure(const std::string& what, const std::filesystem::path& path, const std::string& reason)
{
    return {"cannot " + what + " " + path.string() + " (" + reason + ")", reason};
}

// From errno, which must be the failed call's.
FileError SystemError(const std::string& what, const std::filesystem::path& path)
{
    return Failure(what, path, std::strerror(errno));
}

bool WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// To the end of the file; Failed at the first read that fails.
FileRead ReadAll(int descriptor, std::string& text, size_t limit)
{
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return FileRead::Failed;
        if (got == 0) return FileRead::Read;
        if (static_cast<size_t>(got) > limit - std::min(limit, text.size())) return FileRead::TooLarge;
        text.append(buffer, static_cast<size_t>(got));
    }
}

// A new name beside `target` each try; O_EXCL makes sure no file of anyone else's is taken
// over. Mode 0666 lets the umask decide, as for any file the player makes.
int CreateTemporaryFile(const std::filesystem::path& target, std::string& name)
{
    constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::minstd_rand pick(std::random_device{}());
    std::uniform_int_distribution<size_t> letter(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target.string() + std::string(TemporaryInfix);
        for (size_t i = 0; i < TemporaryLetters; ++i) name.push_back(letters[letter(pick)]);
        const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) return descriptor;
    }
    return -1;
}

// The file being replaced keeps its permission bits (a player's 0600 stays 0600).
void KeepPermissions(int descriptor, const std::filesystem::path& target)
{
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(descriptor, old.st_mode & 07777);
}

bool IsTemporaryName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + TemporaryLetters || !name.starts_with(prefix)) return false;
    name.remove_prefix(prefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

}  // namespace

FileRead ReadTextFile(const std::filesystem::path& path, std::string& text, FileError& error, size_t limit)
{
    text.clear();
    // Not blocking: a pipe left in the file's place must not stop the game.
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        if (errno == ENOENT) return FileRead::Missing;
        error = SystemError("read", path);
        return FileRead::Failed;
    }
    // A folder in the file's place is read on: its read fails as a failing disk's does. A pipe
    // or a device is no player's file.
    struct stat info {};
    FileRead outcome = FileRead::Failed;
    if (fstat(descriptor, &info) != 0) {
        error = SystemError("read", path);
    } else if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) {
        error = Failure("read", path, "not a plain file");
    } else if (static_cast<uintmax_t>(info.st_size) > limit) {
        outcome = FileRead::TooLarge;
    } else {
        text.reserve(static_cast<size_t>(info.st_size));
        outcome = ReadAll(descriptor, text, limit);
        if (outcome == FileRead::Failed) error = SystemError("read", path);
    }
    close(descriptor);
    if (outcome != FileRead::Read) text.clear();
    return outcome;
}

std::string_view WithoutByteOrderMark(std::string_view text)
{
    if (text.starts_with(ByteOrderMark)) text.remove_prefix(ByteOrderMark.size());
    return text;
}

bool FollowLinks(const std::filesystem::path& path, std::filesystem::path& target, FileError& error)
{
    target = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat info {};
        if (lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT) return true;   // a file to be made, or a link to one
            error = SystemError("write", path);
            return false;
        }
        if (!S_ISLNK(info.st_mode)) return true;
        std::error_code failed;
        const std::filesystem::path next = std::filesystem::read_symlink(target, failed);
        if (failed) {
            error = Failure("write", path, failed.message());
            return false;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    errno = ELOOP;
    error = SystemError("write", path);
    return false;
}

bool WriteTextFileAtomically(const std::filesystem::path& path, std::string_view text, FileError& error)
{
    std::filesystem::path target;
    if (!FollowLinks(path, target, error)) return false;
    std::error_code ignored;   // a folder that cannot be made fails the next step, with its reason
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ignored);
    std::string temporary;
    const int descriptor = CreateTemporaryFile(target, temporary);
    if (descriptor < 0) {
        error = SystemError("write", path);
        return false;
    }
    KeepPermissions(descriptor, target);
    bool done = WriteAll(descriptor, text) && fsync(descriptor) == 0;
    if (!done) error = SystemError("write", path);
    if (close(descriptor) != 0 && done) {
        done = false;
        error = SystemError("write", path);
    }
    if (done && std::rename(temporary.c_str(), target.c_str()) != 0) {
        done = false;
        error = SystemError("replace", path);
    }
    if (!done) unlink(temporary.c_str());
    if (done) platform::KeepWrittenFiles();
    return done;
}

void RemoveLeftTemporaryFiles(const std::filesystem::path& path)
{
    std::filesystem::path target;
    FileError ignored;
    if (!FollowLinks(path, target, ignored)) return;
    const std::string prefix = target.filename().string() + std::string(TemporaryInfix);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code failed;
    for (std::filesystem::directory_iterator entry(folder, failed), end; !failed && entry != end;
         entry.increment(failed)) {
        std::error_code notRemoved;   // left for the next start
        if (IsTemporaryName(entry->path().filename().string(), prefix)) std::filesystem::remove(entry->path(), notRemoved);
    }
}
