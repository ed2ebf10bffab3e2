#include "shell/PauseMenu.h"

#include "core/VirtualKeys.h"
#include "platform/input/Events.h"

#include <gtest/gtest.h>

namespace {

// The options as plain values, and what the menus asked of the sound.
struct FakeOptions final : OptionsHost {
    OptionValues values;
    std::vector<bool> holds;   // each HoldSound in order

    OptionValues Values() const override { return values; }
    void SetFullscreen(bool on) override { values.fullscreen = on; }
    void SetClassicPictures(bool on) override { values.classicPictures = on; }
    void SetLinearTexture(bool on) override { values.linearTexture = on; }
    void SetMusicVolume(int percent) override { values.musicVolume = percent; }
    void SetSoundVolume(int percent) override { values.soundVolume = percent; }
    void BindKey(size_t action, uint8_t key) override { values.keys.Bind(action, key); }
    void HoldSound(bool hold) override { holds.push_back(hold); }
};

size_t ActionOf(uint8_t gameKey)
{
    for (size_t action = 0; action < ActionCount; ++action) {
        if (ActionKeys()[action].gameKey == gameKey) return action;
    }
    return ActionCount;
}

using Outcome = PauseMenu::Outcome;
using Page = PauseMenu::Page;

Outcome Press(PauseMenu& menu, uint8_t key) { return menu.OnKey(key, key); }

}  // namespace

TEST(PauseMenu, TheArrowsReturnAndEscapeKeepTheirMeaningWhateverTheBindings)
{
    EXPECT_EQ(MenuKeyOf(0, vk::Up), MenuKey::Up) << "an arrow whose action moved elsewhere";
    EXPECT_EQ(MenuKeyOf(vk::Space, vk::Up), MenuKey::Up) << "an arrow bound to jump";
    EXPECT_EQ(MenuKeyOf(vk::Up, 'W'), MenuKey::Up) << "the key bound to walking forward";
    EXPECT_EQ(MenuKeyOf(vk::Space, 'J'), MenuKey::Accept) << "the key bound to jump";
    EXPECT_EQ(MenuKeyOf(vk::Z, 0), MenuKey::Back) << "a pad's B";
    EXPECT_EQ(MenuKeyOf(vk::Pause, 0), MenuKey::Pause) << "a pad's Start";
    EXPECT_EQ(MenuKeyOf(vk::P, vk::P), MenuKey::Pause);
    EXPECT_EQ(MenuKeyOf(vk::Escape, vk::Escape), MenuKey::Escape);
}

TEST(PauseMenu, ThePauseIsSilentAndEscapeQuitsItWhileTheOptionsGoBack)
{
    FakeOptions host;
    PauseMenu menu(host);
    menu.OpenPause();
    EXPECT_EQ(host.holds, std::vector<bool>{true});
    EXPECT_EQ(Press(menu, vk::Down), Outcome::Stay);
    EXPECT_EQ(Press(menu, vk::Return), Outcome::Stay);
    EXPECT_EQ(menu.CurrentPage(), Page::Options);
    EXPECT_EQ(host.holds, (std::vector<bool>{true, false})) << "the options are heard";
    EXPECT_EQ(Press(menu, vk::Escape), Outcome::Stay);
    EXPECT_EQ(menu.CurrentPage(), Page::Main);
    EXPECT_EQ(Press(menu, vk::Escape), Outcome::Quit);
    EXPECT_FALSE(menu.IsOpen());

    menu.OpenPause();
    EXPECT_EQ(menu.OnKey(vk::Z, platform::PadKeyBit | vk::Z), Outcome::Resume) << "a pad's B resumes, never quits";
    menu.OpenPause();
    EXPECT_EQ(Press(menu, vk::Up), Outcome::Stay);
    EXPECT_EQ(Press(menu, vk::Space), Outcome::Quit) << "the selection wraps round to Quit";

    menu.OpenOptions();   // from the title: going back is going back to the game
    EXPECT_EQ(Press(menu, vk::Tab), Outcome::Resume);
}

TEST(PauseMenu, OptionsChangeAtOnceWithinTheirRanges)
{
    FakeOptions host;
    host.values.musicVolume = 90;
    host.values.soundVolume = 0;
    PauseMenu menu(host);
    menu.OpenOptions();
    Press(menu, vk::Right);                         // Display
    EXPECT_TRUE(host.values.fullscreen);
    Press(menu, vk::Down);
    Press(menu, vk::Return);                        // Pictures
    EXPECT_TRUE(host.values.classicPictures);
    Press(menu, vk::Down);
    Press(menu, vk::Left);                          // Textures
    EXPECT_TRUE(host.values.linearTexture);
    Press(menu, vk::Down);
    Press(menu, vk::Right);
    Press(menu, vk::Right);                         // Music volume, never above 100
    EXPECT_EQ(host.values.musicVolume, 100);
    Press(menu, vk::Down);
    Press(menu, vk::Left);                          // Sound volume, never below 0
    EXPECT_EQ(host.values.soundVolume, 0);
    Press(menu, vk::Right);
    EXPECT_EQ(host.values.soundVolume, 10);
}

TEST(PauseMenu, AKeyIsBoundOnlyWhenFreeAndTheGameDoesNotKeepIt)
{
    FakeOptions host;
    PauseMenu menu(host);
    menu.OpenOptions();
    for (int row = 0; row < 5; ++row) Press(menu, vk::Down);
    Press(menu, vk::Return);                        // Keys
    ASSERT_EQ(menu.CurrentPage(), Page::Keys);
    const size_t jump = ActionOf(vk::Space);
    while (menu.Selected() != jump) Press(menu, vk::Down);
    Press(menu, vk::Return);
    ASSERT_EQ(menu.CurrentPage(), Page::KeyCapture);

    for (const uint8_t kept : {vk::P, vk::Pause, vk::Tab, vk::Return}) {
        Press(menu, kept);
        EXPECT_EQ(menu.Notice(), "That key cannot be bound") << int{kept};
    }
    Press(menu, vk::Z);
    EXPECT_EQ(menu.Notice(), "That key is taken by Cast magic");
    menu.OnKey(vk::Space, platform::PadKeyBit | vk::Space);
    EXPECT_EQ(menu.CurrentPage(), Page::KeyCapture) << "a pad's button is no keyboard key";
    EXPECT_EQ(host.values.keys.KeyOf(jump), vk::Space);

    Press(menu, 'J');
    EXPECT_EQ(host.values.keys.KeyOf(jump), 'J');
    EXPECT_EQ(menu.CurrentPage(), Page::Keys);
    Press(menu, vk::Return);
    Press(menu, vk::Escape);                        // gives up waiting
    EXPECT_EQ(menu.CurrentPage(), Page::Keys);
    EXPECT_EQ(host.values.keys.KeyOf(jump), 'J');
}
