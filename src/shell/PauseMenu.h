#pragma once
#include "shell/KeyBindings.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class Font;
class Graphics;

// What the options change. Every change applies at once and is kept in the settings file.
struct OptionValues {
    bool        fullscreen      = false;
    bool        classicPictures = false;   // 640x480, one picture per game frame
    bool        linearTexture   = false;   // the title's "LINEAR" / "NONE LINEAR"
    int         musicVolume     = 100;     // percent
    int         soundVolume     = 100;     // percent
    KeyBindings keys;
};

// Where the options take effect: the window, the pictures, the sound and the settings file.
class OptionsHost {
public:
    virtual ~OptionsHost() = default;
    virtual OptionValues Values() const = 0;
    virtual void SetFullscreen(bool fullscreen) = 0;
    virtual void SetClassicPictures(bool classic) = 0;
    virtual void SetLinearTexture(bool linear) = 0;
    virtual void SetMusicVolume(int percent) = 0;
    virtual void SetSoundVolume(int percent) = 0;   // and a sound at that volume, to hear it
    virtual void BindKey(size_t action, uint8_t key) = 0;
    // Sound effects and music hold while a menu is up, except on the options' pages, where a
    // volume is heard as it changes.
    virtual void HoldSound(bool hold) = 0;
};

// A key pressed while a menu is up, as the menus understand it.
enum class MenuKey : uint8_t { None, Up, Down, Left, Right, Accept, Back, Escape, Pause };

// The keyboard's own keys win (the arrows, Return and Space always move through the menus,
// whatever the bindings); then the game's keys, so a pad or rebound keys work as well: the
// jump key accepts, the cast key (a pad's B) goes back.
MenuKey MenuKeyOf(uint8_t gameKey, uint8_t pressedKey);

// The menus over a paused game: the pause itself (Resume, Options, Quit), the options, and
// the keys. Only the shell's loop sees them; the game runs no frame while one is up.
class PauseMenu {
public:
    enum class Page : uint8_t { Closed, Main, Options, Keys, KeyCapture };
    enum class Outcome : uint8_t { Stay, Resume, Quit };

    explicit PauseMenu(OptionsHost& host);
    ~PauseMenu();
    PauseMenu(const PauseMenu&) = delete;
    PauseMenu& operator=(const PauseMenu&) = delete;

    bool IsOpen() const { return page != Page::Closed; }
    Page CurrentPage() const { return page; }
    size_t Selected() const { return selected; }
    const std::string& Notice() const { return notice; }   // why a key was refused, or empty

    void OpenPause();     // P, focus lost, Escape in play
    void OpenOptions();   // from the title: going back from the options goes back to the game

    // A key went down (auto-repeat included). pressedKey is the message's lParam.
    Outcome OnKey(uint8_t gameKey, int64_t pressedKey);

    // Draws the page as the overlay of the paused picture.
    void Draw(Graphics& graphics);
    // True once after anything on the page changed.
    bool TakeChanged();

private:
    Outcome OnMainKey(MenuKey key);
    Outcome OnOptionsKey(MenuKey key);
    Outcome OnKeysKey(MenuKey key);
    void OnCapturedKey(MenuKey key, uint8_t pressedKey, bool fromPad);
    void ChangeOption(size_t option, int direction);
    void GoTo(Page next, size_t select);
    size_t RowCount() const;
    void MoveSelection(int step);
    void DrawMain(Graphics& graphics);
    void DrawOptions();
    void DrawKeys();
    void DrawRow(size_t row, const std::string& label, const std::string& value);
    void DrawHint(const char* hint);

    OptionsHost&          host;
    Page                  page = Page::Closed;
    size_t                selected = 0;        // row of the page
    bool                  optionsFromTitle = false;   // going back from the options resumes
    size_t                capturing = 0;       // the action waiting for its key
    std::string           notice;              // one line under the page
    bool                  changed = false;
    std::unique_ptr<Font> headingFont;         // made on the first Draw
    std::unique_ptr<Font> rowFont;
    std::unique_ptr<Font> hintFont;
};

// Why a keyboard key cannot become the key of an action, in the player's words, or empty when
// it can: keys the game keeps for itself, and keys of other actions, are refused.
std::string RefusalOfBinding(const KeyBindings& keys, size_t action, uint8_t key);
