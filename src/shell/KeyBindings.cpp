#include "shell/KeyBindings.h"

#include "core/Translation.h"
#include "core/VirtualKeys.h"
#include "shell/Replay.h"

#include <cctype>

const std::array<ActionKey, ActionCount>& ActionKeys()
{
    static constexpr std::array<ActionKey, ActionCount> actions{{
        {"key.left", vk::Left, ToTranslate("Turn left")},           {"key.right", vk::Right, ToTranslate("Turn right")},
        {"key.up", vk::Up, ToTranslate("Walk forward")},            {"key.down", vk::Down, ToTranslate("Walk backward")},
        {"key.jump", vk::Space, ToTranslate("Jump")},               {"key.cast", vk::Z, ToTranslate("Cast magic")},
        {"key.map", vk::Shift, ToTranslate("Map view")},            {"key.look-up", vk::PageUp, ToTranslate("Look up")},
        {"key.look-down", vk::PageDown, ToTranslate("Look down")},  {"key.look-ahead", vk::Home, ToTranslate("Look ahead")},
    }};
    return actions;
}

bool ParseBindingKey(std::string_view name, uint8_t& key)
{
    std::string lower(name);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.size() == 1 && (std::isalpha(static_cast<unsigned char>(lower[0])) || std::isdigit(static_cast<unsigned char>(lower[0])))) {
        key = static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(lower[0])));
        return key != vk::P;
    }
    return KeyFromName(lower, key) && key != vk::Escape;
}

std::string BindingKeyName(uint8_t key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(std::tolower(key)));
    return KeyName(key);
}

bool IsBindableKey(uint8_t key)
{
    uint8_t named = 0;
    return key != 0 && ParseBindingKey(BindingKeyName(key), named) && named == key;
}

KeyBindings::KeyBindings()
{
    for (size_t action = 0; action < ActionCount; ++action) keys[action] = ActionKeys()[action].gameKey;
}

bool KeyBindings::IsDefault() const { return KeyBindings().keys == keys; }

size_t KeyBindings::SharingKeyWith(size_t action) const
{
    for (size_t other = 0; other < ActionCount; ++other) {
        if (other != action && keys[other] == keys[action]) return other;
    }
    return ActionCount;
}

std::array<uint8_t, 256> KeyBindings::KeyboardMap() const
{
    std::array<uint8_t, 256> map{};
    for (size_t key = 0; key < map.size(); ++key) map[key] = static_cast<uint8_t>(key);
    for (const ActionKey& action : ActionKeys()) map[action.gameKey] = 0;
    for (size_t action = 0; action < ActionCount; ++action) map[keys[action]] = ActionKeys()[action].gameKey;
    return map;
}
