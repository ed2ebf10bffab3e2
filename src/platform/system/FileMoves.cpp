#include "platform/system/FileMoves.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace platform {

bool RenameUnlessTaken(const std::filesystem::path& from, const std::filesystem::path& to)
{
    struct stat taken {};
    if (lstat(to.c_str(), &taken) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace platform
