#include "platform/system/FileMoves.h"

namespace platform {

// A browser's file system has no renameat2; one page's game is its only writer.
bool RenameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    return RenameUnlessTaken(from, to);
}

}  // namespace platform
