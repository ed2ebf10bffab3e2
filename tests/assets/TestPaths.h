#pragma once
#include <filesystem>
#include <string>

// Where the build put the art and its builder (set by the build for this test program).
inline std::string SheetFile() { return VELMOOR_SHEET_FILE; }
inline std::filesystem::path ArtOutputFolder() { return VELMOOR_ART_OUTPUT_DIR; }
inline std::filesystem::path ArtSourceFolder() { return VELMOOR_ART_SOURCE_DIR; }
inline std::string ArtBuilder() { return VELMOOR_ART_BUILDER; }
