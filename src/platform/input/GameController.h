#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// Controller buttons and axes, numbered as SDL's game-controller layer numbers them so the
// event translation can pass SDL's numbers straight through.
enum class PadButton : uint8_t {
    A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
    DpadUp, DpadDown, DpadLeft, DpadRight,
    Count
};
enum class PadAxis : uint8_t { LeftX, LeftY, RightX, RightY, TriggerLeft, TriggerRight, Count };

// Turns controller buttons and the left stick into the same key presses the keyboard makes,
// and merges every source that can hold a key. The game only ever sees one key-down when the
// first holder presses a key and one key-up when the last holder lets go, so a pad and the
// keyboard (or the d-pad and the stick, or both Shift keys) never release each other's keys.
// Knows nothing of SDL devices: the event layer feeds it numbers.
class GameController {
public:
    static constexpr int32_t KeyboardSource = -1;   // pads are SDL instance ids, never negative
    static constexpr int StickPress = 12000;        // axis units of 32767: a stick further out holds its key
    static constexpr int StickRelease = 8000;       // ... and a held key lets go only inside this

    struct KeyChange {
        bool    down;   // key-down or key-up
        uint8_t key;    // virtual-key code
        bool operator==(const KeyChange&) const = default;
    };
    using Changes = std::vector<KeyChange>;

    // The key a button stands for; 0 for buttons the game has no use for.
    static uint8_t KeyForButton(PadButton button);

    // A keyboard key went down or up. `control` tells physical keys apart that share a
    // virtual key (left and right Shift).
    void KeyboardKey(int32_t control, uint8_t key, bool down, Changes& out);
    void ButtonChanged(int32_t pad, PadButton button, bool pressed, Changes& out);
    void AxisMoved(int32_t pad, PadAxis axis, int value, Changes& out);
    // A pad went away (or the keyboard lost its keys): everything it held is let go.
    void SourceRemoved(int32_t source, Changes& out);

    bool Down(uint8_t key) const;

private:
    struct Hold {
        int32_t source;    // KeyboardSource or a pad's instance id
        int32_t control;   // key code, button number or axis control
        uint8_t key;       // virtual-key code held
    };

    uint8_t HeldBy(int32_t source, int32_t control) const;   // 0 when that control holds nothing
    void Press(int32_t source, int32_t control, uint8_t key, Changes& out);
    void Release(int32_t source, int32_t control, Changes& out);
    static uint8_t StickKey(int value, uint8_t negativeKey, uint8_t positiveKey, uint8_t held);

    std::vector<Hold> holds;   // a handful at a time
};

// The SDL side: starting the controller subsystem makes SDL announce every connected pad as
// an added device, so start-up and hot-plugging take the same path.
void StartGameControllers();
void StopGameControllers();
void OpenGameController(int deviceIndex);
void CloseGameController(int32_t instanceId);

}  // namespace platform
