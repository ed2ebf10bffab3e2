#pragma once
#include <filesystem>
#include <string>

// Where the build put the art and its builder (set by the build for this test program).
inline std::string SheetFile() { return VELMOOR_SHEET_FILE; }
inline std::filesystem::path ArtOutputFolder() { return VELMOOR_ART_OUTPUT_DIR; }
inline std::filesystem::path ArtSourceFolder() { return VELMOOR_ART_SOURCE_DIR; }
inline std::string ArtBuilder() { return VELMOOR_ART_BUILDER; }

// A fresh, empty folder under the test output folder.
inline std::filesystem::path ScratchFolder(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(VELMOOR_TEST_OUTPUT_DIR) / "assets" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}
