#pragma once
#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

// The player's files (settings and records) are read whole and written whole.

// Why a file could not be read or written: a line for stderr, and the reason alone for the
// window's one-line notice.
struct FileError {
    std::string message;   // "cannot read /home/ann/.config/velmoor/velmoor.conf (Input/output error)"
    std::string reason;    // "Input/output error"
};

enum class FileRead {
    Read,       // all of it, up to the end
    Missing,    // no such file (a link to nowhere too): a player who has none yet
    TooLarge,   // longer than the limit; nothing of it was read
    Failed,     // it is there but could not be read whole: `error` says why
};

// Reads the whole file. A read that fails part way is Failed, never a shorter text, so nothing
// is ever rewritten from half a file. Links are followed.
FileRead ReadTextFile(const std::filesystem::path& path, std::string& text, FileError& error,
                      size_t limit = std::numeric_limits<size_t>::max());

// Some editors start a UTF-8 file with a byte-order mark; the readers skip it.
std::string_view WithoutByteOrderMark(std::string_view text);

// The file a write to `path` must replace: a symbolic link is followed (links to links too), so
// a settings file kept in a dotfiles folder and linked in stays linked. False on a link loop or
// a folder that cannot be searched.
bool FollowLinks(const std::filesystem::path& path, std::filesystem::path& target, FileError& error);

// Writes the whole file so that a reader sees the old contents or the new, never a mix: a
// temporary file beside it (made with O_EXCL, flushed to disk), then renamed over it. A link is
// written through (see FollowLinks) and the file keeps its permission bits; a new file gets the
// player's umask. A missing folder is made first. False with a message naming the file when it
// cannot be written; the old file is then as it was and the temporary file is gone.
bool WriteTextFileAtomically(const std::filesystem::path& path, std::string_view text, FileError& error);

// Removes the temporary files a write to `path` left behind when the game was killed during it.
// Only to be called while holding the file's lock (FileLock): no other game is writing then.
void RemoveLeftTemporaryFiles(const std::filesystem::path& path);
