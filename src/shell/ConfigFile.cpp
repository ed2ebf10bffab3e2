#include "shell/ConfigFile.h"

#include "shell/ParseNumber.h"
#include "shell/TextFiles.h"

#include <cstdio>
#include <optional>

namespace {

constexpr std::string_view Blanks = " \t\r";

std::string_view Trim(std::string_view text)
{
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// One line taken apart: its key and value (trimmed) when it has the "key = value" shape.
struct ConfigLine {
    bool             empty = true;    // blank or only a comment
    bool             shaped = false;  // has a key, an '=' and a value
    std::string_view key;
    std::string_view value;
    std::string_view comment;         // from '#' to the end, when there is one
};

ConfigLine SplitLine(std::string_view line)
{
    ConfigLine parts;
    const size_t hash = line.find('#');
    if (hash != std::string_view::npos) parts.comment = Trim(line.substr(hash));
    const std::string_view content = Trim(line.substr(0, hash));
    parts.empty = content.empty();
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) return parts;
    parts.key = Trim(content.substr(0, equals));
    parts.value = Trim(content.substr(equals + 1));
    parts.shaped = !parts.key.empty() && !parts.value.empty();
    return parts;
}

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    int number = 0;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        ++number;
        visit(number, text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    }
}

std::optional<bool> ParseYesNo(std::string_view value)
{
    if (value == "yes" || value == "true" || value == "on" || value == "1") return true;
    if (value == "no" || value == "false" || value == "off" || value == "0") return false;
    return std::nullopt;
}

std::optional<int> ParseAccepted(std::string_view value, bool (*accepted)(int))
{
    int number = 0;
    if (!ParseNumber(value, number) || !accepted(number)) return std::nullopt;
    return number;
}

// A key of the file: what it accepts (for the message) and how it changes the settings. The
// apply functions return false for a value they cannot take.
struct SettingKey {
    std::string_view key;
    std::string_view accepts;
    bool (*apply)(std::string_view value, PlayerSettings& settings);
};

bool ApplyMode(std::string_view value, PlayerSettings& s)
{
    if (value == "ask") s.mode = ModeSetting::Ask;
    else if (value == "window") s.mode = ModeSetting::Window;
    else if (value == "fullscreen") s.mode = ModeSetting::FullScreen;
    else return false;
    return true;
}

bool ApplyLastMode(std::string_view value, PlayerSettings& s)
{
    if (value != "window" && value != "fullscreen") return false;
    s.lastWindowed = value == "window";
    return true;
}

bool ApplyTexture(std::string_view value, PlayerSettings& s)
{
    if (value != "linear" && value != "nearest") return false;
    s.linearTexture = value == "linear";
    return true;
}

bool ApplyNumber(std::optional<int> number, int& target)
{
    if (number) target = *number;
    return number.has_value();
}

constexpr SettingKey settingKeys[] = {
    {"mode", "ask, window or fullscreen", ApplyMode},
    {"last-mode", "window or fullscreen", ApplyLastMode},
    {"texture", "nearest or linear", ApplyTexture},
    {"music-volume", "a number from 0 to 100",
     [](std::string_view v, PlayerSettings& s) { return ApplyNumber(ParseAccepted(v, IsVolume), s.musicVolume); }},
    {"sound-volume", "a number from 0 to 100",
     [](std::string_view v, PlayerSettings& s) { return ApplyNumber(ParseAccepted(v, IsVolume), s.soundVolume); }},
    {"classic", "yes or no",
     [](std::string_view v, PlayerSettings& s) {
         const std::optional<bool> yes = ParseYesNo(v);
         if (yes) s.classic = *yes;
         return yes.has_value();
     }},
    {"fps", "0 or a number of pictures a second up to 1000",
     [](std::string_view v, PlayerSettings& s) { return ApplyNumber(ParseAccepted(v, IsPictureRate), s.fps); }},
    {"msaa", "0, 2, 4 or 8",
     [](std::string_view v, PlayerSettings& s) { return ApplyNumber(ParseAccepted(v, IsSampleCount), s.msaa); }},
};

const SettingKey* FindSettingKey(std::string_view key)
{
    for (const SettingKey& setting : settingKeys) {
        if (setting.key == key) return &setting;
    }
    return nullptr;
}

size_t FindAction(std::string_view key)
{
    for (size_t action = 0; action < ActionCount; ++action) {
        if (ActionKeys()[action].setting == key) return action;
    }
    return ActionCount;
}

struct BindingLine {
    size_t  action = 0;
    uint8_t key = 0;
    int     line = 0;
};

// The bindings the file asks for, where no two actions share a key: of two lines that would,
// the later one is refused (its action keeps its default), and again until none do.
KeyBindings ResolveBindings(std::vector<BindingLine> lines, std::vector<ConfigProblem>& problems)
{
    for (;;) {
        KeyBindings keys;
        for (const BindingLine& binding : lines) keys.Bind(binding.action, binding.key);
        auto refused = lines.end();
        size_t sharedWith = ActionCount;
        for (auto binding = lines.begin(); binding != lines.end(); ++binding) {
            const size_t other = keys.SharingKeyWith(binding->action);
            if (other == ActionCount) continue;
            if (refused == lines.end() || binding->line > refused->line) {
                refused = binding;
                sharedWith = other;
            }
        }
        if (refused == lines.end()) return keys;
        problems.push_back({refused->line, BindingKeyName(refused->key) + " is already the key of " +
                                               std::string(ActionKeys()[sharedWith].setting)});
        lines.erase(refused);
    }
}

std::string ApplyLine(const ConfigLine& line, int number, PlayerSettings& settings, std::vector<BindingLine>& bindings)
{
    if (!line.shaped) return "expected 'key = value'";
    const std::string key(line.key);
    if (const SettingKey* setting = FindSettingKey(line.key)) {
        if (setting->apply(line.value, settings)) return {};
        return key + " takes " + std::string(setting->accepts) + ", not '" + std::string(line.value) + "'";
    }
    const size_t action = FindAction(line.key);
    if (action == ActionCount) return "unknown setting '" + key + "'";
    uint8_t physical = 0;
    if (!ParseBindingKey(line.value, physical)) {
        return key + " takes a key name (space, shift, left, pageup, a letter or a digit...), not '" +
               std::string(line.value) + "'";
    }
    // Of two lines binding one action, the later counts.
    std::erase_if(bindings, [action](const BindingLine& earlier) { return earlier.action == action; });
    bindings.push_back({action, physical, number});
    return {};
}

}  // namespace

std::string_view TextureValue(bool linear) { return linear ? "linear" : "nearest"; }
std::string_view ModeValue(bool windowed) { return windowed ? "window" : "fullscreen"; }

PlayerSettings ParseConfig(std::string_view text, std::vector<ConfigProblem>& problems)
{
    text = WithoutByteOrderMark(text);
    PlayerSettings settings;
    std::vector<BindingLine> bindings;
    ForEachLine(text, [&](int number, std::string_view raw) {
        const ConfigLine line = SplitLine(raw);
        if (line.empty) return;
        const std::string problem = ApplyLine(line, number, settings, bindings);
        if (!problem.empty()) problems.push_back({number, problem});
    });
    settings.keys = ResolveBindings(std::move(bindings), problems);
    return settings;
}

std::string SetConfigValue(std::string_view text, std::string_view key, std::string_view value)
{
    // The last line setting the key is the one that counts.
    const std::string_view mark = text.substr(0, text.size() - WithoutByteOrderMark(text).size());
    text.remove_prefix(mark.size());
    int target = 0;
    ForEachLine(text, [&](int number, std::string_view raw) {
        if (SplitLine(raw).key == key) target = number;
    });
    std::string result(mark);
    ForEachLine(text, [&](int number, std::string_view raw) {
        if (number != target) {
            result.append(raw).push_back('\n');
            return;
        }
        const std::string_view comment = SplitLine(raw).comment;
        result.append(key).append(" = ").append(value);
        if (!comment.empty()) result.append("   ").append(comment);
        result.push_back('\n');
    });
    if (target == 0) result.append(key).append(" = ").append(value).push_back('\n');
    return result;
}

std::string NewConfigText(const PlayerSettings& values)
{
    std::string text =
        "# Velmoor settings: one \"key = value\" a line, '#' starts a comment. The game changes a\n"
        "# line here when you change the setting in the game; command-line options override the\n"
        "# file for one run. velmoor(6) describes every key.\n";
    const auto line = [&text](std::string_view key, std::string_view value) {
        text.append(key).append(" = ").append(value).push_back('\n');
    };
    line("mode", values.mode == ModeSetting::Ask ? "ask" : ModeValue(values.mode == ModeSetting::Window));
    line("last-mode", ModeValue(values.lastWindowed));
    line("texture", TextureValue(values.linearTexture));
    line("music-volume", std::to_string(values.musicVolume));
    line("sound-volume", std::to_string(values.soundVolume));
    line("classic", values.classic ? "yes" : "no");
    line("fps", std::to_string(values.fps));
    line("msaa", std::to_string(values.msaa));
    for (size_t action = 0; action < ActionCount; ++action) {
        line(ActionKeys()[action].setting, BindingKeyName(values.keys.KeyOf(action)));
    }
    return text;
}

ConfigFile::ConfigFile(std::filesystem::path file, std::chrono::milliseconds patience)
    : path(std::move(file)), lockPatience(patience)
{
}

void ConfigFile::Load()
{
    values = PlayerSettings{};
    if (path.empty()) return;
    {
        const FileLock lock(path, lockPatience);   // without it another game may be writing
        if (lock.Held()) RemoveLeftTemporaryFiles(path);
    }
    std::string text;
    FileError error;
    const FileRead read = ReadTextFile(path, text, error);
    if (read == FileRead::Missing) return;
    if (read != FileRead::Read) {
        notices.Tell(error.message + "; the settings stay at their defaults and are not written this run",
                     "Cannot read settings: " + error.reason);
        path.clear();   // never replace a file that could not be read: the player's settings are in it
        return;
    }
    std::vector<ConfigProblem> problems;
    values = ParseConfig(text, problems);
    for (const ConfigProblem& problem : problems) {
        notices.Tell(path.string() + ":" + std::to_string(problem.line) + ": " + problem.message + "; the line is ignored", "");
    }
    if (problems.size() == 1) notices.Show("Settings: line " + std::to_string(problems[0].line) + " is ignored");
    if (problems.size() > 1) notices.Show("Settings: " + std::to_string(problems.size()) + " lines are ignored");
}

bool ConfigFile::Set(std::string_view key, std::string_view value)
{
    if (path.empty()) return false;
    std::vector<ConfigProblem> ignored;   // a text the game made reads whole
    values = ParseConfig(SetConfigValue(NewConfigText(values), key, value), ignored);
    std::erase_if(waiting, [key](const auto& change) { return change.first == key; });
    waiting.emplace_back(key, value);
    return Write(false);
}

void ConfigFile::WriteWaiting()
{
    if (!path.empty() && !waiting.empty()) Write(true);
}

bool ConfigFile::Write(bool lastTry)
{
    std::error_code ignored;   // a folder that cannot be made fails the lock, with its reason
    std::filesystem::create_directories(path.parent_path(), ignored);
    const FileLock lock(path, lockPatience);
    if (!lock.Held()) {
        Postpone(lock.Error(), lastTry);
        return false;
    }
    std::string text;
    FileError error;
    const FileRead read = ReadTextFile(path, text, error);
    if (read == FileRead::Missing) text = NewConfigText(PlayerSettings{});
    if (read == FileRead::Failed) {
        Postpone(error, lastTry);   // never rewritten from what could not be read
        return false;
    }
    for (const auto& [key, value] : waiting) text = SetConfigValue(text, key, value);
    if (!WriteTextFileAtomically(path, text, error)) {
        Postpone(error, lastTry);
        return false;
    }
    waiting.clear();
    std::vector<ConfigProblem> problems;   // told about when the file was loaded
    values = ParseConfig(text, problems);
    return true;
}

void ConfigFile::Postpone(const FileError& error, bool lastTry)
{
    if (lastTry) {
        notices.Tell(error.message + "; the settings changed in this run are not kept", "Setting not saved: " + error.reason);
    } else {
        notices.Tell(error.message + "; the setting holds for this run and is written with the next change or at exit",
                     "Setting not saved yet: " + error.reason);
    }
}
