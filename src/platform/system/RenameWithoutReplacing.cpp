#include "platform/system/FileMoves.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace platform {

bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    return RenameUnlessTaken(from, to);   // a file system that cannot refuse by itself
}

}  // namespace platform
