#pragma once
#include "core/Settings.h"
#include "shell/FileLock.h"
#include "shell/KeyBindings.h"
#include "shell/PlayerNotices.h"

#include <chrono>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The player's settings file, velmoor.conf: one "key = value" a line, '#' starts a comment.
//   mode = ask | window | fullscreen    ask: the start-up dialog, preselecting last-mode
//   last-mode = window | fullscreen     the dialog's last answer, kept by the game
//   texture = nearest | linear          the texture filtering chosen on the title
//   music-volume = 0..100               sound-volume = 0..100
//   classic = yes | no                  fps = N (0 follows the display)    msaa = 0 | 2 | 4 | 8
//   key.left = left, key.jump = space, key.cast = z, ...   one keyboard key per action
enum class ModeSetting { Ask, Window, FullScreen };

struct PlayerSettings {
    ModeSetting mode          = ModeSetting::Ask;
    bool        lastWindowed  = true;    // the dialog's last answer, preselected when it asks
    bool        linearTexture = false;   // texture filtering: linear, or nearest ("NONE LINEAR")
    int         musicVolume   = 100;     // percent
    int         soundVolume   = 100;     // percent
    bool        classic       = RunSettings{}.classic;   // 640x480, one picture per game frame
    int         fps           = RunSettings{}.fps;       // pictures a second at most, 0 follows the display
    int         msaa          = RunSettings{}.msaa;      // multisampling samples
    KeyBindings keys;                    // the keyboard key of each action
};

struct ConfigProblem {
    int         line = 0;   // from 1
    std::string message;
};

// Reads a settings text; a leading byte-order mark is skipped. A line that cannot be read changes nothing (its key keeps the default)
// and is described in `problems`.
PlayerSettings ParseConfig(std::string_view text, std::vector<ConfigProblem>& problems);

// The text with `key` set to `value`: the line that sets it is rewritten, everything else
// (comments, other keys, even lines that could not be read, a byte-order mark) stays; a
// missing key is added.
std::string SetConfigValue(std::string_view text, std::string_view key, std::string_view value);

// The text of a new file: a word on the format, then every key at the given values.
std::string NewConfigText(const PlayerSettings& values);

std::string_view TextureValue(bool linear);     // "linear" or "nearest"
std::string_view ModeValue(bool windowed);      // "window" or "fullscreen"

// The settings file on disk. It is written only when the player changes a setting, so a file
// with a line the game cannot read stays as the player wrote it until then. Every change is
// made holding the file's lock (FileLock), so two games each keep what they changed.
class ConfigFile {
public:
    explicit ConfigFile(std::filesystem::path file, std::chrono::milliseconds lockPatience = FileLock::Patience);

    // Reads the file, first removing what a game killed while writing left; a missing one means
    // every default. Each unreadable line gets one stderr line naming the file and the line. A
    // file that cannot be read leaves every default, the player is told, and nothing is
    // written this run.
    void Load();
    const PlayerSettings& Values() const { return values; }

    // Changes one setting for this run and writes the file at once; edits made to the file
    // since it was loaded (by hand, by another game) are kept. False when it cannot be written
    // now (the lock not given in time, the file unreadable, the disk full): the player is told
    // and the change waits for the next write.
    bool Set(std::string_view key, std::string_view value);
    // The waiting changes tried once more, when the run ends; what still fails is told as lost.
    void WriteWaiting();

    // What the player should see in the window; see PlayerNotices.
    std::vector<std::string> TakeNotices() { return notices.Take(); }

private:
    bool Write(bool lastTry);
    void Postpone(const FileError& error, bool lastTry);

    std::filesystem::path     path;          // empty: no home folder, or a file not to be touched
    std::chrono::milliseconds lockPatience;
    PlayerSettings            values;        // as last read or written, with this run's changes
    std::vector<std::pair<std::string, std::string>> waiting;   // key and value not written yet
    PlayerNotices             notices;
};
