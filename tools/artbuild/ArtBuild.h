#pragma once
#include <string>
#include <vector>

// Where the asset build reads and writes.
struct ArtBuildPaths {
    std::string sourceFolder;   // assets/art
    std::string outputFolder;   // bitmaps, icon, embedded table and contact sheet go here
    std::string sheetFile;      // the sprite sheet, beside the game
    std::string iconFolder;     // the desktop's icons in the icon theme's layout; empty: none
    // Optional close-ups for review: a sheet rectangle enlarged 8x into a PNG each.
    struct CloseUp {
        int x = 0, y = 0, width = 0, height = 0;  // sheet pixels
        std::string file;
    };
    std::vector<CloseUp> closeUps;
};

// Builds every picture and writes the game's files. Returns false with a message in `error`
// when a source cannot be read or a file cannot be written.
bool RunArtBuild(const ArtBuildPaths& paths, std::string& error);

// Reads "--source DIR --out DIR --sheet FILE [--icons DIR] [--close-up X,Y,W,H:FILE.png]...";
// false with a usage message on anything else.
bool ParseArtBuildArguments(int argc, const char* const* argv, ArtBuildPaths& paths, std::string& error);
