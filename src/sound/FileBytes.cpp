#include "sound/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

FileRead ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& reason)
{
    bytes.clear();
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = std::strerror(errno);
        return FileRead::CannotOpen;
    }
    uint8_t chunk[16384];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    if (failed) reason = std::strerror(errno);
    std::fclose(file);
    return failed ? FileRead::Failed : FileRead::Done;
}
