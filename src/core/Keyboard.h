#pragma once
#include <cstdint>

enum KeyState : int8_t {
    KeyUp      = 0,
    KeyPressed = 1,   // went down: exactly the first frame Keyboard::Update has seen it
    KeyHeld    = 2,   // down for more than one frame
};

// The per-frame key record. Messages change it between frames; Update runs once at the start
// of every frame and turns a fresh press into a held key after one frame. Game code never
// reacts to messages, it only reads these fields: "pressed" is state 1, "down" is state > 0.
class Keyboard {
public:
    Keyboard() { Reset(); }

    void Reset();
    void OnMessage(uint32_t message, uint64_t wParam, int64_t lParam);
    void Update();

    bool Pressed(uint8_t key) const { return keys[key] == KeyPressed; }
    bool Down(uint8_t key) const { return keys[key] > KeyUp; }

    int16_t mouseX            = 0;   // client pixels of the last mouse move
    int16_t mouseY            = 0;
    int8_t  rightButton       = 0;   // KeyState
    int8_t  leftButton        = 0;   // KeyState
    uint8_t rightButtonFrames = 0;   // frames down, saturating at 255
    uint8_t leftButtonFrames  = 0;
    int8_t  keys[256]         = {};  // KeyState by virtual-key code
    uint8_t keyFrames[256]    = {};  // frames down by virtual-key code, saturating at 255
};
