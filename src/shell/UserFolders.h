#pragma once
#include <filesystem>

// Where the player's own files live, by the XDG base directory rules: $XDG_CONFIG_HOME and
// $XDG_DATA_HOME when set to an absolute path, else ~/.config and ~/.local/share. Empty when
// not even a home folder is known.
std::filesystem::path ConfigFilePath();    // .../velmoor/velmoor.conf
std::filesystem::path RecordsFilePath();   // .../velmoor/records
