#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The command line of velmoor. Every option is optional; without any the game asks for the
// display mode and plays in real time with a seed taken from the clock.
struct ScreenshotRequest {
    uint64_t frame = 0;       // frame number, counted from 0
    float    fraction = 0.0f; // 0: that frame exactly; 0 < f < 1: the picture f of the way to the next
    std::string path;         // PNG file to write
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
    std::optional<bool> classic;           // --classic: the original 640x480 presentation
    std::optional<int> fps;                // --fps N: at most N pictures a second (0: the display's)
    std::optional<int> msaa;               // --msaa N: 0, 2, 4 or 8 samples
    std::optional<std::pair<int, int>> size;   // --size WxH: window (headless: picture) pixels
    bool fullResolution = false;           // --full-resolution: no 640x480 cap on a software rasteriser
    bool stats = false;                    // --stats: print the picture statistics at exit
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
