#pragma once
#include "game/LineWalker.h"
#include "graphics/Font.h"
#include "graphics/Sprite.h"

#include <cstdint>
#include <memory>

// What the screens keep between their calls: their phase counters and the pictures, fonts and
// walkers they own while they run. Each screen releases what it made before it finishes.
struct ScreenStates {
    // Title and texture menu.
    int8_t                      titlePhase = 0;       // 0 set-up .. 5 texture menu
    std::unique_ptr<Sprite>     titleBanner;          // the game's name
    std::unique_ptr<Font>       titleFont;            // the help text
    std::unique_ptr<Font>       titleBestFont;        // the player's best stage, when there is one
    std::unique_ptr<LineWalker> titlePan;             // the running camera pan
    int16_t                     titleCounter = 0;     // frames of the game start
    uint8_t                     titleSelection = 1;   // 1 left figure, 0 right figure

    // Stage start.
    uint8_t                     startFrame = 0;       // 0..10

    // Stage clear.
    int8_t                      clearPhase = 0;       // 0..7
    std::unique_ptr<Sprite>     clearBanner;          // "STAGE CLEAR"
    std::unique_ptr<LineWalker> clearGrow;            // the banner's growth
    std::unique_ptr<Font>       clearFont;            // the bonus texts
    int16_t                     clearCounter = 0;     // frames of the timed phases

    // Game over.
    int8_t                      overPhase = 0;        // 0..4
    std::unique_ptr<Font>       overFont;             // the cause, record and rank
    int16_t                     overCounter = 0;      // frames of the fade
};
