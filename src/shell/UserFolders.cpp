#include "shell/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

std::filesystem::path HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    const passwd* user = getpwuid(getuid());
    if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/') return user->pw_dir;
    return {};
}

// A relative path in the variable is to be ignored, as if it were unset.
std::filesystem::path BaseFolder(const char* variable, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') return value;
    const std::filesystem::path home = HomeFolder();
    return home.empty() ? home : home / underHome;
}

std::filesystem::path GameFile(const char* variable, const char* underHome, const char* name)
{
    const std::filesystem::path base = BaseFolder(variable, underHome);
    return base.empty() ? base : base / "velmoor" / name;
}

}  // namespace

std::filesystem::path ConfigFilePath() { return GameFile("XDG_CONFIG_HOME", ".config", "velmoor.conf"); }
std::filesystem::path RecordsFilePath() { return GameFile("XDG_DATA_HOME", ".local/share", "records"); }
