#pragma once
#include "shell/ConfigFile.h"
#include "shell/RecordsFile.h"

#include <filesystem>

class Game;

// The player's own files around a run: the settings it starts from and the records it adds to.
// After every frame it looks at the game for what they keep: the texture filtering chosen on
// the title goes to the settings, a game that has just ended goes to the records.
class PlayerFiles {
public:
    PlayerFiles(std::filesystem::path configPath, std::filesystem::path recordsPath);

    void Load();   // both files; what cannot be read is named on stderr
    const PlayerSettings& Values() const { return config.Values(); }
    ConfigFile& Config() { return config; }

    // Before the first frame: the remembered texture filtering, and the best stage for the title
    // unless it is not to be shown.
    void PrepareGame(Game& game, bool showBestStage);

    // The texture filtering changed in the options: written now, not again after the frame.
    void KeepTexture(bool linear);

    // After each frame. With keepSettings false (a replay plays) the settings file is left alone.
    void AfterFrame(Game& game, bool keepSettings);

    // When the run ends: a record or a setting that could not be written yet is tried once more.
    void WriteWaiting();

    // The one-line notices for the window queued since the last call, oldest first: a record
    // or a setting that could not be kept (yet), a file that could not be read or was set aside
    // as damaged, another game holding a file's lock too long. Each is plain English of at most
    // PlayerNotices::Width (59) characters, e.g. "Record not saved yet: No space left on device";
    // stderr has had the whole story already. Most come from Load (before the first frame,
    // for the title) and from AfterFrame on the frame a game ends (for the game-over screen);
    // showing each for a few seconds is the window's business. Empty on almost every call.
    std::vector<std::string> TakeNotices();

private:
    ConfigFile  config;
    RecordsFile records;
    bool        linearTexture = false;   // the filtering as last written or loaded
    bool        gameOver = false;        // the last frame was on the game-over screen
    bool        showBestStage = false;
};

// The line of the records for a game that ended in `stage`, dated now.
GameRecord RecordOfGame(uint16_t stage);

// --records: prints the table and returns the exit code.
int PrintRecordsAndExit();
