#pragma once
#include "shell/Replay.h"

#include <array>
#include <cstdint>

class Game;

// The keys the pilot wants for one frame. Held keys stay down for as long as they are wanted;
// taps (jump, cast, accept) are fresh presses, so a tap wanted while its key is still down
// first lets the key go and presses it again a frame later.
struct Intent {
    bool left = false;     // turn left
    bool right = false;    // turn right
    bool forward = false;  // walk forward
    bool jump = false;     // Space in play
    bool cast = false;     // Z
    bool accept = false;   // Space on the screens
};

// Turns intents into key messages for the game, delivered between frames the way the main
// loop delivers them, and writes every message into the replay being recorded.
class KeyHands {
public:
    explicit KeyHands(Replay& recording) : recording(recording) {}

    // The messages that make `intent` true for `frame`; call before that frame runs.
    void Apply(const Intent& intent, uint64_t frame, Game& game);

private:
    void Hold(uint8_t key, bool wanted, uint64_t frame, Game& game);
    void Tap(uint8_t key, bool wanted, uint64_t frame, Game& game);
    void Send(uint8_t key, bool press, uint64_t frame, Game& game);

    Replay& recording;
    std::array<bool, 256> down{};   // by virtual-key code
};
