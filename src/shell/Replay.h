#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A replay: the seed of a run and its key events by frame. Text, one item a line, '#' starts a
// comment:
//   velmoor-replay 1
//   seed 12345
//   <frame> down <key>
//   <frame> up <key>
// A key is a name (escape space shift left up right down pageup pagedown home z) or a decimal
// virtual-key code. Events of frame F reach the keyboard, in file order, before frame F's
// keyboard update, as if they had arrived between frames F-1 and F.
struct ReplayEvent {
    uint64_t frame = 0;
    bool down = false;
    uint8_t key = 0;   // virtual-key code

    friend bool operator==(const ReplayEvent&, const ReplayEvent&) = default;
};

struct Replay {
    std::optional<uint32_t> seed;
    std::vector<ReplayEvent> events;   // frames never decrease
};

// Parses a replay. A malformed text is refused with a message that names the line.
bool ParseReplay(std::string_view text, Replay& out, std::string& error);
bool LoadReplay(const std::string& path, Replay& out, std::string& error);

// The replay text for a run; ParseReplay reads it back to the same Replay.
std::string FormatReplay(const Replay& replay);

// The name a replay uses for a key code, or its decimal number when it has none.
std::string KeyName(uint8_t key);
// The key code of one of the names above (not a number); false for any other text.
bool KeyFromName(std::string_view name, uint8_t& key);

// Hands out a replay's events frame by frame.
class ReplayPlayer {
public:
    explicit ReplayPlayer(Replay replay) : replay(std::move(replay)) {}

    // The events to deliver before the given frame (frames asked in increasing order).
    std::vector<ReplayEvent> EventsBefore(uint64_t frame);
    bool Finished() const { return next >= replay.events.size(); }

private:
    Replay replay;
    size_t next = 0;   // index of the first event not yet handed out
};
