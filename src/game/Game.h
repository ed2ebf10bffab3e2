#pragma once
#include "game/GameSnapshot.h"
#include "game/NoticeLine.h"
#include "game/ScreenStates.h"

#include <cstdint>
#include <memory>
#include <string>

class EffectList;
class Field;
class Graphics;
class Keyboard;
class MidiPlayer;
class SoundBank;
class Stage;
class Texture;

// The scene the game is in.
enum GameState : int8_t {
    StateStartup        = 0,    // becomes the title in the first frame
    StateTitle          = 5,
    StateStageStart     = 10,
    StatePlay           = 20,
    StateStageClear     = 30,
    StateGameOverByLife = 41,
    StateGameOverByTime = 42,
};

// The top-level object: owns every subsystem for the whole run, runs one frame at a time for
// the main loop (input, the frame bracket, the field, one step of the scene machine, effects)
// and routes window messages to the music player and the keyboard.
class Game {
public:
    Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    ~Game();

    bool Init();     // false when the graphics device could not be made
    bool Frame();    // false while Escape is down: the shell then closes the window
    bool OnMessage(uint32_t message, uint64_t wParam, int64_t lParam);   // true: consumed

    // Set by OnMessage when the close message asks for the window to go; the shell then
    // sends the destroy message and ends the loop.
    bool WindowDestroyRequested() const { return windowDestroyRequested; }

    // The scene the last frame ran in and the counters as that frame left them, for the trace.
    GameSnapshot Snapshot(uint64_t frame) const;

    GameState State() const { return state; }
    uint16_t StageRecord() const { return stageRecord; }
    bool LinearFilter() const { return linearFilter != 0; }
    bool FieldVisible() const { return fieldVisible != 0; }
    Graphics* GetGraphics() const { return graphics.get(); }
    Keyboard* GetKeyboard() const { return keyboard.get(); }
    Field* GetField() const { return field.get(); }
    Stage* GetStage() const { return stage.get(); }
    EffectList* GetEffects() const { return effects.get(); }
    SoundBank* GetSounds() const { return sounds.get(); }
    MidiPlayer* GetMusic() const { return music.get(); }
    const ScreenStates& Screens() const { return screens; }

    // What the player's files bring into a run: the texture filtering chosen in an earlier run,
    // and the best stage ever reached, which the title shows (0: none, nothing shown).
    void SetLinearFilter(bool linear) { linearFilter = linear ? 1 : 0; }
    void SetBestStage(uint16_t stage) { bestStage = stage; }
    // A line about the player's files, shown for a few seconds at the top of the title or the
    // game-over screen (queued until one of them comes).
    void ShowNotice(std::string notice) { notices.Add(std::move(notice)); }
    const NoticeLine& Notices() const { return notices; }
    // A short line the title shows in its bottom-left corner (the shell's keys); empty: none.
    void SetTitleHint(std::string hint) { titleHint = std::move(hint); }
    void SetStageRecordForTests(uint16_t record) { stageRecord = record; }

    // Tests may start in any scene (for instance straight at a stage start).
    void SetStateForTests(GameState newState) { state = newState; }

private:
    void StepStateMachine();
    void LoadSounds();
    void SetFixedRenderStates();
    void PrepareFonts();

    // The screens, one call a frame in their scene; each returns true on the frame it ends.
    bool TitleScreen();
    bool StageStartScreen();
    bool StageClearScreen(uint8_t& fieldVisible);
    bool GameOverScreen(int8_t reason, uint8_t& fieldVisible);

    std::unique_ptr<Graphics>   graphics;     // the drawing device and camera
    std::unique_ptr<Keyboard>   keyboard;     // key and mouse record
    std::unique_ptr<Field>      field;        // the ruin grid and its drawing
    std::unique_ptr<Stage>      stage;        // world objects and the player
    std::unique_ptr<EffectList> effects;      // short-lived effects and overlays
    std::unique_ptr<SoundBank>  sounds;       // sound effects in numbered slots
    std::unique_ptr<MidiPlayer> music;        // background music
    GameState                   state = StateStartup;
    uint16_t                    stageRecord = 0;   // stage being played, from 1; 0 before the first
    std::unique_ptr<Texture>    spriteSheet;  // "parts.dds", shared by stage, effects and screens
    uint8_t                     linearFilter = 0;  // 1 "LINEAR", 0 "NONE LINEAR" (title menu)
    uint8_t                     fieldVisible = 0;  // draw the ruin's cells this frame
    uint16_t                    bestStage = 0;     // the player's best stage record, 0 for none
    std::string                 titleHint;         // the title's bottom-left line; empty: none
    NoticeLine                  notices;           // about the player's files, over the title and game over

    std::unique_ptr<Texture>    waterTexture; // the light column's picture, lent to the effects
    ScreenStates                screens;      // phases and pictures of the four screens

    GameState frameState = StateStartup;    // the scene the last frame ran in
    bool windowDestroyRequested = false;
};
