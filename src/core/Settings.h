#pragma once
#include <string>

// How this run was started: the command-line choices that subsystems need to know. Set once by
// the shell before Game::Init; read-only afterwards.
struct RunSettings {
    bool headless = false;    // no visible window, no dialog, no sound device
    bool render = true;       // false with --no-render: frames are recorded but never drawn
    bool sound = true;        // false with --no-sound: no audio device at all
    bool music = true;        // false with --no-music (or --no-sound)
    bool integerScale = false;// present the picture only at whole-number scales
    std::string soundFont;    // --soundfont FILE; empty: the system's General MIDI SoundFont
};

const RunSettings& Settings();
void SetSettings(const RunSettings& settings);

// The game's logic alone: no window shown, nothing drawn, no sound, no message boxes. Tests,
// the soak bot and the autopilot run whole games this way.
void UseLogicOnlySettings();
