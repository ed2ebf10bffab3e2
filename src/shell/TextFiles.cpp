#include "shell/TextFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <sstream>
#include <unistd.h>

namespace {

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

std::string SystemError(const std::string& what, const std::filesystem::path& path)
{
    return "cannot " + what + " " + path.string() + " (" + std::strerror(errno) + ")";
}

}  // namespace

bool ReadTextFile(const std::filesystem::path& path, std::string& text, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = SystemError("read", path);
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    if (file.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    return true;
}

bool WriteTextFileAtomically(const std::filesystem::path& path, std::string_view text, std::string& error)
{
    std::error_code ignored;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    std::string temporary = path.string() + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        error = SystemError("write", path);
        return false;
    }
    // A new file gets the permissions any file of the player's would get.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor, 0666 & ~mask);
    bool done = WriteAll(descriptor, text) && fsync(descriptor) == 0;
    if (!done) error = SystemError("write", path);
    if (close(descriptor) != 0 && done) {
        done = false;
        error = SystemError("write", path);
    }
    if (done && std::rename(temporary.c_str(), path.c_str()) != 0) {
        done = false;
        error = SystemError("replace", path);
    }
    if (!done) std::remove(temporary.c_str());
    return done;
}
