#pragma once
#include <string>
#include <string_view>

// Data files (the sprite sheet, the sounds, the music) are looked up in the current directory
// first, then beside the executable, then in share/velmoor next to the executable's bin/
// folder, then in the data directory the program was built to be installed with.
// Returns the first path that exists, or the bare name when none does (so the caller's
// open fails and reports as it would for a missing file).
std::string FindDataFile(std::string_view name);

// The folders searched, in order (for messages and tests).
std::string ExecutableDirectory();
std::string InstalledDataDirectory();
