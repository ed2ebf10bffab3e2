#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The keys the player plays with. Each action has one key on the keyboard, and whatever that
// key is, the game sees the action's own key (Space jumps, Z casts, ...): the rules, replays and
// recordings never depend on the bindings. Escape, F12 and Alt+Enter stay where they are, and a
// game controller keeps its own mapping.
struct ActionKey {
    std::string_view setting;   // its key in the settings file, "key.jump"
    uint8_t          gameKey;   // the virtual key the game's rules read, also the default binding
    const char*      label;     // what the keys page calls it, "Jump"
};

constexpr size_t ActionCount = 10;
const std::array<ActionKey, ActionCount>& ActionKeys();

// A keyboard key by its name in the settings file: a replay file's key names (escape excepted,
// it always quits), single letters and digits (but P, which pauses). Upper or lower case.
bool ParseBindingKey(std::string_view name, uint8_t& key);
std::string BindingKeyName(uint8_t key);
// A key that can be named so: Escape, P, Pause, Return, Tab and F12 stay the game's own.
bool IsBindableKey(uint8_t key);

class KeyBindings {
public:
    KeyBindings();   // every action on its own game key

    uint8_t KeyOf(size_t action) const { return keys[action]; }
    void Bind(size_t action, uint8_t key) { keys[action] = key; }
    bool IsDefault() const;

    // The other action on the same key as `action`, or ActionCount when it has the key alone.
    size_t SharingKeyWith(size_t action) const;

    // Keyboard key -> the key the game is given: each action's key becomes the action's game
    // key, a game key whose action moved elsewhere is dropped (0), and every other key passes.
    std::array<uint8_t, 256> KeyboardMap() const;

private:
    std::array<uint8_t, ActionCount> keys;   // virtual-key codes of the keyboard keys, by action
};
