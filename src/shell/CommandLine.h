#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line of velmoor. Every option is optional; without any the game asks for the
// display mode and plays in real time with a seed taken from the clock.
struct ScreenshotRequest {
    uint64_t frame = 0;    // frame number, counted from 0
    std::string path;      // PNG file to write
};

struct CommandLine {
    std::optional<bool> windowed;          // --windowed / --fullscreen skip the start-up dialog
    std::optional<uint32_t> seed;          // --seed N
    bool headless = false;                 // --headless
    bool noRender = false;                 // --no-render
    bool timedemo = false;                 // --timedemo
    std::optional<uint64_t> frames;        // --frames N
    std::string replayPath;                // --replay FILE
    std::string recordPath;                // --record FILE
    std::string tracePath;                 // --trace FILE ('-' is standard output)
    std::vector<ScreenshotRequest> screenshots;   // --screenshot N:FILE.png (repeatable)
    std::optional<uint32_t> printRuin;     // --print-ruin N
    bool titleRuin = false;                // --title (with --print-ruin)
    bool noSound = false;                  // --no-sound
    bool noMusic = false;                  // --no-music
    std::string soundFont;                 // --soundfont FILE
    bool integerScale = false;             // --integer-scale
    std::optional<bool> classic;           // --classic: 640x480, one picture per game frame
    std::optional<int> fps;                // --fps N: pictures a second at most, 0 follows the display
    std::optional<int> msaa;               // --msaa N: multisampling, 0 2 4 or 8
    std::optional<int> musicVolume;        // --music-volume N: 0..100 for this run
    std::optional<int> soundVolume;        // --sound-volume N: 0..100 for this run
    bool records = false;                  // --records: print the personal records and exit
    bool help = false;                     // --help
    bool version = false;                  // --version
};

// Reads argv. On a bad option or value returns false with a message naming it.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);

// The text of --help: one line an option.
std::string HelpText();
