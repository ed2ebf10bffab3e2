#include "shell/Replay.h"

#include "core/VirtualKeys.h"
#include "shell/ParseNumber.h"

#include <array>
#include <fstream>
#include <sstream>

namespace {

struct NamedKey {
    std::string_view name;
    uint8_t code;
};

constexpr std::array<NamedKey, 11> keyNames{{
    {"escape", vk::Escape}, {"space", vk::Space},   {"shift", vk::Shift},
    {"left", vk::Left},     {"up", vk::Up},         {"right", vk::Right},
    {"down", vk::Down},     {"pageup", vk::PageUp}, {"pagedown", vk::PageDown},
    {"home", vk::Home},     {"z", vk::Z},
}};

}  // namespace

bool KeyFromName(std::string_view name, uint8_t& key)
{
    for (const NamedKey& named : keyNames) {
        if (named.name == name) {
            key = named.code;
            return true;
        }
    }
    return false;
}

namespace {

bool ParseKey(std::string_view text, uint8_t& key)
{
    if (KeyFromName(text, key)) return true;
    unsigned code = 0;
    if (!ParseNumber(text, code) || code == 0 || code > 255) return false;
    key = static_cast<uint8_t>(code);
    return true;
}

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < line.size()) {
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
        size_t end = start;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
        if (end > start) words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string_view StripComment(std::string_view line)
{
    const size_t hash = line.find('#');
    if (hash != std::string_view::npos) line = line.substr(0, hash);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Reads one non-header line into the replay; returns a description of what is wrong, or "".
std::string ParseItem(const std::vector<std::string_view>& words, Replay& out)
{
    if (words[0] == "seed") {
        uint32_t seed = 0;
        if (words.size() != 2 || !ParseNumber(words[1], seed)) return "expected 'seed N'";
        if (out.seed) return "a second seed";
        out.seed = seed;
        return {};
    }
    ReplayEvent event;
    if (words.size() != 3 || !ParseNumber(words[0], event.frame))
        return "expected '<frame> down|up <key>'";
    if (words[1] != "down" && words[1] != "up") return "expected 'down' or 'up', not '" + std::string(words[1]) + "'";
    event.down = words[1] == "down";
    if (!ParseKey(words[2], event.key)) return "unknown key '" + std::string(words[2]) + "'";
    if (!out.events.empty() && event.frame < out.events.back().frame)
        return "frame " + std::to_string(event.frame) + " comes after frame " +
               std::to_string(out.events.back().frame);
    out.events.push_back(event);
    return {};
}

}  // namespace

bool ParseReplay(std::string_view text, Replay& out, std::string& error)
{
    out = Replay{};
    bool headerSeen = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        const std::string_view rawLine = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        ++lineNumber;
        const std::vector<std::string_view> words = SplitWords(StripComment(rawLine));
        if (words.empty()) continue;
        std::string problem;
        if (!headerSeen) {
            if (words.size() != 2 || words[0] != "velmoor-replay") problem = "expected the header 'velmoor-replay 1'";
            else if (words[1] != "1") problem = "unsupported replay version " + std::string(words[1]);
            headerSeen = problem.empty();
        } else {
            problem = ParseItem(words, out);
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return false;
        }
    }
    if (!headerSeen) {
        error = "line 1: expected the header 'velmoor-replay 1'";
        return false;
    }
    return true;
}

bool LoadReplay(const std::string& path, Replay& out, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open replay file '" + path + "'";
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    if (!ParseReplay(contents.str(), out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

std::string KeyName(uint8_t key)
{
    for (const NamedKey& named : keyNames) {
        if (named.code == key) return std::string(named.name);
    }
    return std::to_string(key);
}

std::string FormatReplay(const Replay& replay)
{
    std::string text = "velmoor-replay 1\n";
    if (replay.seed) text += "seed " + std::to_string(*replay.seed) + "\n";
    for (const ReplayEvent& event : replay.events) {
        text += std::to_string(event.frame) + (event.down ? " down " : " up ") + KeyName(event.key) + "\n";
    }
    return text;
}

std::vector<ReplayEvent> ReplayPlayer::EventsBefore(uint64_t frame)
{
    std::vector<ReplayEvent> due;
    while (next < replay.events.size() && replay.events[next].frame <= frame) {
        due.push_back(replay.events[next++]);
    }
    return due;
}
