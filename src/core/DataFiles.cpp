#include "core/DataFiles.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string ExecutableDirectory()
{
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path().string();
}

std::string InstalledDataDirectory()
{
#ifdef VELMOOR_DATA_DIR
    return VELMOOR_DATA_DIR;
#else
    return {};
#endif
}

std::string FindDataFile(std::string_view name)
{
    const fs::path file(name);
    std::error_code error;
    if (file.is_absolute() || fs::exists(file, error)) return std::string(name);
    // An installed game looks in ../share/velmoor beside its bin/ first, so an installation
    // moved to another prefix still finds its data.
    const std::string executableFolder = ExecutableDirectory();
    const std::string besideInstall = executableFolder.empty() ? "" : executableFolder + "/../share/velmoor";
    for (const std::string& folder : {executableFolder, besideInstall, InstalledDataDirectory()}) {
        if (folder.empty()) continue;
        const fs::path candidate = fs::path(folder) / file;
        if (fs::exists(candidate, error)) return candidate.string();
    }
    return std::string(name);
}
