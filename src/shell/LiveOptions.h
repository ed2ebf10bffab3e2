#pragma once
#include "shell/PauseMenu.h"

#include <functional>

class Game;
class PlayerFiles;

// The options as the running game has them: each change takes effect at once (the window, the
// presentation, the texture filtering, the volumes, the key bindings) and is written to the
// player's settings file.
class LiveOptions final : public OptionsHost {
public:
    // presentationChanged: the loop's pacing must follow the classic presentation or the smooth.
    LiveOptions(Game& game, PlayerFiles& files, std::function<void()> presentationChanged);

    OptionValues Values() const override;
    void SetFullscreen(bool fullscreen) override;
    void SetClassicPictures(bool classic) override;
    void SetLinearTexture(bool linear) override;
    void SetMusicVolume(int percent) override;
    void SetSoundVolume(int percent) override;
    void BindKey(size_t action, uint8_t key) override;
    void HoldSound(bool hold) override;

private:
    Game&                 game;
    PlayerFiles&          files;
    std::function<void()> presentationChanged;
    KeyBindings           keys;   // as the keyboard map has them now
};
