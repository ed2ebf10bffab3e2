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
