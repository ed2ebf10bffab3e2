#pragma once
#include <array>
#include <cstdint>

namespace platform {

// One window message as the game's handlers take it: key messages carry Windows virtual-key
// codes, mouse moves pack x and y into lParam, closing the window is the close message.
// A key message's wParam is the key the game is given (after the player's bindings; 0 for a
// key whose action moved elsewhere) and its lParam the key pressed on the keyboard itself, or
// a pad's key with PadKeyBit set; the menus and the pause read it.
struct Message {
    uint32_t message = 0;
    uint64_t wParam = 0;
    int64_t  lParam = 0;
};

// Messages the shell handles itself and never passes to the game.
namespace shellkey {
constexpr uint64_t Screenshot = 123;        // F12
constexpr uint64_t ToggleFullscreen = 13;   // Alt+Enter, sent as a system key message
}  // namespace shellkey
constexpr uint32_t SysKeyDown = 260;
constexpr int64_t PadKeyBit = 0x100;
constexpr uint32_t FocusLost = 0x8001;       // the window lost the keyboard or was minimised
constexpr uint32_t WindowExposed = 0x8002;   // the window's picture must be shown again

// Takes the next waiting event off SDL's queue and translates it. Returns false when the queue
// is empty. Events that mean nothing to the game come back as message 0. Game controllers
// press the same keys as the keyboard (d-pad and left stick: arrows, A: Space, B or X: Z,
// shoulders: Page Up/Down, stick press: Home, Back: Shift, Start: Pause); a key goes up only when neither
// the keyboard nor any pad holds it, and an unplugged pad lets go of its keys.
bool PollMessage(Message& out);

// Posts the music player's end-of-piece notification (code: 1 = played to its end) to the
// main loop's queue; safe to call from the audio thread.
void PostMusicNotification(uint64_t code);

// Virtual-key code for an SDL key, 0 when the game has no use for it.
uint8_t VirtualKeyFromSdl(int32_t sdlKeycode);

// The player's key bindings: every keyboard key's virtual-key code is looked up here before it
// goes anywhere (0 drops the key). Game controllers are not remapped. Identity until set.
void SetKeyboardMap(const std::array<uint8_t, 256>& map);

}  // namespace platform

namespace platform {

// Waits until an event may be waiting or the time is up, whichever comes first; never spins.
void WaitForMessage(uint32_t timeoutMilliseconds);

}  // namespace platform
