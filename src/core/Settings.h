#pragma once
#include <string>

// How this run was started: the player's settings file overridden by the command line, as far
// as subsystems need to know. Set by the shell before Game::Init; afterwards only the options
// change it (the presentation and the volumes), between frames.
struct RunSettings {
    bool headless = false;    // no visible window, no dialog, no sound device
    bool render = true;       // false with --no-render: frames are recorded but never drawn
    bool sound = true;        // false with --no-sound: no audio device at all
    bool music = true;        // false with --no-music (or --no-sound)
    bool integerScale = false;// present the picture only at whole-number scales
    bool classic = false;     // the original presentation: 640x480, one picture per frame, nothing added
    int  fps = 0;             // at most this many pictures a second; 0: one per display refresh (vsync)
    int  msaa = 4;            // multisampling of the picture: 0, 2, 4 or 8 samples
    int  width = 640;         // the window's inner size (headless: the picture's), pixels
    int  height = 480;
    bool fullResolution = false; // a software rasteriser draws at the output's size too (else 640x480)
    bool timedemo = false;    // frames back to back, each with its own picture, no vsync
    std::string soundFont;    // --soundfont FILE; empty: the system's General MIDI SoundFont
    int musicVolume = 100;    // percent of full volume, 0..100
    int soundVolume = 100;    // percent of full volume, 0..100
};

// The values the presentation and the volumes take, from the command line and the settings file
// alike.
constexpr int MostPicturesPerSecond = 1000;
constexpr bool IsPictureRate(int fps) { return fps >= 0 && fps <= MostPicturesPerSecond; }
constexpr bool IsSampleCount(int msaa) { return msaa == 0 || msaa == 2 || msaa == 4 || msaa == 8; }
constexpr bool IsVolume(int percent) { return percent >= 0 && percent <= 100; }

const RunSettings& Settings();
void SetSettings(const RunSettings& settings);

// The game's logic alone: no window shown, nothing drawn, no sound, no message boxes. Tests,
// the soak bot and the autopilot run whole games this way.
void UseLogicOnlySettings();
