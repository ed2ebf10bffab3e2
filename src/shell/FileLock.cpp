#include "shell/FileLock.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

bool TryLock(int descriptor)
{
    while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) return false;
    }
    return true;
}

}  // namespace

FileLock::FileLock(const std::filesystem::path& file, std::chrono::milliseconds patience)
{
    const std::filesystem::path lockPath = file.string() + ".lock";
    descriptor = open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        const std::string reason = std::strerror(errno);
        error = {"cannot lock " + file.string() + ": cannot open " + lockPath.string() + " (" + reason + ")", reason};
        return;
    }
    // Polled rather than blocked on, so the wait has an end; the pause grows from 1 ms, as a
    // write on a fast disk takes about that.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    std::chrono::milliseconds pause{1};
    while (!(held = TryLock(descriptor))) {
        if (errno != EWOULDBLOCK) {
            const std::string reason = std::strerror(errno);
            error = {"cannot lock " + lockPath.string() + " (" + reason + ")", reason};
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            busy = true;
            error = {"another game kept " + file.string() + " locked for " + std::to_string(patience.count()) + " ms",
                     "another game holds it"};
            return;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds{50});
    }
}

FileLock::~FileLock()
{
    if (descriptor >= 0) close(descriptor);   // closing the last descriptor releases the lock
}
