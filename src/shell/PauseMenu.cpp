#include "shell/PauseMenu.h"

#include "core/Translation.h"
#include "core/VirtualKeys.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "platform/input/Events.h"

#include <algorithm>
#include <cctype>

namespace {

// The rows of each page, top to bottom.
enum MainRow : size_t { RowResume, RowOptions, RowQuit, MainRows };
enum OptionRow : size_t { RowDisplay, RowPictures, RowTextures, RowMusic, RowSound, RowKeys, RowBack, OptionRows };
constexpr size_t KeysBackRow = ActionCount;

constexpr int VolumeStep = 10;   // percent

// The game's look: its red over a dimmed picture, the chosen row lit.
constexpr uint32_t DimColour      = 0xB0000000;
constexpr uint32_t PanelColour    = 0xE0100C10;
constexpr uint32_t HeadingColour  = 0xFFF0D8A0;
constexpr uint32_t RowColour      = 0xFFDC1E28;
constexpr uint32_t ChosenColour   = 0xFFFFF4C8;
constexpr uint32_t HintColour     = 0xFFB8B0A8;
constexpr uint32_t NoticeColour   = 0xFFFF9070;

// The 640x480 layout of the options and the keys; the pause's own page is smaller, in the middle.
constexpr int PanelLeft = 96, PanelRight = 544, PanelTop = 64, PanelBottom = 440;
constexpr int HeadingTop = 80, RowsTop = 128, RowHeight = 26, KeysRowHeight = 21;
constexpr int LabelLeft = 136, ValueLeft = 360, NoticeTop = 370, HintTop = 410;

std::unique_ptr<Font> MakeFont(Graphics& graphics, int height, int weight)
{
    auto font = std::make_unique<Font>(&graphics);
    font->SetFaceName("Courier");
    font->SetParam(Font::ParamHeight, height);
    font->SetParam(Font::ParamWeight, weight);
    font->Create();
    return font;
}

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

MenuKey GameMenuKey(uint8_t key)
{
    switch (key) {
    case vk::Up:    return MenuKey::Up;
    case vk::Down:  return MenuKey::Down;
    case vk::Left:  return MenuKey::Left;
    case vk::Right: return MenuKey::Right;
    case vk::Space: return MenuKey::Accept;
    case vk::Z:     return MenuKey::Back;
    case vk::Pause: return MenuKey::Pause;
    default:        return MenuKey::None;
    }
}

// The arrows, Space and Pause mean on the keyboard what they mean as the game's keys; Z is
// Back only as the cast key (a pad's B), wherever the player put it.
MenuKey KeyboardMenuKey(uint8_t key)
{
    switch (key) {
    case vk::Return: return MenuKey::Accept;
    case vk::Escape: return MenuKey::Escape;
    case vk::Tab:    return MenuKey::Back;
    case vk::P:      return MenuKey::Pause;
    case vk::Z:      return MenuKey::None;
    default:         return GameMenuKey(key);
    }
}

}  // namespace

MenuKey MenuKeyOf(uint8_t gameKey, uint8_t pressedKey)
{
    const MenuKey own = KeyboardMenuKey(pressedKey);
    return own != MenuKey::None ? own : GameMenuKey(gameKey);
}

std::string RefusalOfBinding(const KeyBindings& keys, size_t action, uint8_t key)
{
    if (!IsBindableKey(key)) return Translate("That key cannot be bound");
    for (size_t other = 0; other < ActionCount; ++other) {
        if (other != action && keys.KeyOf(other) == key) {
            return TranslateWith("That key is taken by %s", Translate(ActionKeys()[other].label));
        }
    }
    return {};
}

PauseMenu::PauseMenu(OptionsHost& optionsHost) : host(optionsHost) {}

PauseMenu::~PauseMenu() = default;

void PauseMenu::OpenPause()
{
    optionsFromTitle = false;
    GoTo(Page::Main, RowResume);
}

void PauseMenu::OpenOptions()
{
    optionsFromTitle = true;
    GoTo(Page::Options, RowDisplay);
}

bool PauseMenu::TakeChanged()
{
    const bool was = changed;
    changed = false;
    return was;
}

void PauseMenu::GoTo(Page next, size_t select)
{
    // The options are heard (a volume as it changes); the pause itself is silent.
    if (page != next && (next == Page::Main || page == Page::Main || page == Page::Closed)) {
        host.HoldSound(next == Page::Main);
    }
    page = next;
    selected = select;
    notice.clear();
    changed = true;
}

size_t PauseMenu::RowCount() const
{
    switch (page) {
    case Page::Main:    return MainRows;
    case Page::Options: return OptionRows;
    case Page::Keys:    return ActionCount + 1;
    default:            return 0;
    }
}

void PauseMenu::MoveSelection(int step)
{
    const size_t rows = RowCount();
    if (rows == 0) return;
    selected = static_cast<size_t>(static_cast<int>(selected + rows) + step) % rows;
    notice.clear();
    changed = true;
}

PauseMenu::Outcome PauseMenu::OnKey(uint8_t gameKey, int64_t pressedKey)
{
    const bool fromPad = (pressedKey & platform::PadKeyBit) != 0;
    const auto pressed = static_cast<uint8_t>(pressedKey & 0xff);
    const MenuKey key = MenuKeyOf(gameKey, fromPad ? 0 : pressed);
    switch (page) {
    case Page::Main:       return OnMainKey(key);
    case Page::Options:    return OnOptionsKey(key);
    case Page::Keys:       return OnKeysKey(key);
    case Page::KeyCapture: OnCapturedKey(key, pressed, fromPad); return Outcome::Stay;
    default:               return Outcome::Stay;
    }
}

PauseMenu::Outcome PauseMenu::OnMainKey(MenuKey key)
{
    switch (key) {
    case MenuKey::Up:     MoveSelection(-1); return Outcome::Stay;
    case MenuKey::Down:   MoveSelection(1); return Outcome::Stay;
    case MenuKey::Pause:
    case MenuKey::Back:   GoTo(Page::Closed, 0); return Outcome::Resume;
    case MenuKey::Escape: GoTo(Page::Closed, 0); return Outcome::Quit;
    case MenuKey::Accept: {
        if (selected == RowOptions) {
            GoTo(Page::Options, RowDisplay);
            return Outcome::Stay;
        }
        const bool quit = selected == RowQuit;
        GoTo(Page::Closed, 0);
        return quit ? Outcome::Quit : Outcome::Resume;
    }
    default:
        return Outcome::Stay;
    }
}

PauseMenu::Outcome PauseMenu::OnOptionsKey(MenuKey key)
{
    const auto leave = [this] {
        if (!optionsFromTitle) {
            GoTo(Page::Main, RowOptions);
            return Outcome::Stay;
        }
        GoTo(Page::Closed, 0);
        return Outcome::Resume;
    };
    switch (key) {
    case MenuKey::Up:    MoveSelection(-1); return Outcome::Stay;
    case MenuKey::Down:  MoveSelection(1); return Outcome::Stay;
    case MenuKey::Left:  ChangeOption(selected, -1); return Outcome::Stay;
    case MenuKey::Right: ChangeOption(selected, 1); return Outcome::Stay;
    case MenuKey::Back:
    case MenuKey::Escape:
        return leave();
    case MenuKey::Pause:
        GoTo(Page::Closed, 0);
        return Outcome::Resume;
    case MenuKey::Accept:
        if (selected == RowBack) return leave();
        if (selected == RowKeys) GoTo(Page::Keys, 0);
        else ChangeOption(selected, 1);
        return Outcome::Stay;
    default:
        return Outcome::Stay;
    }
}

void PauseMenu::ChangeOption(size_t option, int direction)
{
    const OptionValues values = host.Values();
    const auto volume = [direction](int percent) { return std::clamp(percent + direction * VolumeStep, 0, 100); };
    switch (option) {
    case RowDisplay:  host.SetFullscreen(!values.fullscreen); break;
    case RowPictures: host.SetClassicPictures(!values.classicPictures); break;
    case RowTextures: host.SetLinearTexture(!values.linearTexture); break;
    case RowMusic:    host.SetMusicVolume(volume(values.musicVolume)); break;
    case RowSound:    host.SetSoundVolume(volume(values.soundVolume)); break;
    default:          return;
    }
    changed = true;
}

PauseMenu::Outcome PauseMenu::OnKeysKey(MenuKey key)
{
    switch (key) {
    case MenuKey::Up:   MoveSelection(-1); return Outcome::Stay;
    case MenuKey::Down: MoveSelection(1); return Outcome::Stay;
    case MenuKey::Back:
    case MenuKey::Escape:
        GoTo(Page::Options, RowKeys);
        return Outcome::Stay;
    case MenuKey::Pause:
        GoTo(Page::Closed, 0);
        return Outcome::Resume;
    case MenuKey::Accept:
        if (selected == KeysBackRow) {
            GoTo(Page::Options, RowKeys);
        } else {
            capturing = selected;
            GoTo(Page::KeyCapture, selected);
        }
        return Outcome::Stay;
    default:
        return Outcome::Stay;
    }
}

// Escape gives up waiting; a pad's button is not a keyboard key and is ignored.
void PauseMenu::OnCapturedKey(MenuKey key, uint8_t pressedKey, bool fromPad)
{
    if (fromPad) return;
    if (key == MenuKey::Escape) {
        GoTo(Page::Keys, capturing);
        return;
    }
    const std::string refusal = RefusalOfBinding(host.Values().keys, capturing, pressedKey);
    if (!refusal.empty()) {
        notice = refusal;
        changed = true;
        return;
    }
    host.BindKey(capturing, pressedKey);
    GoTo(Page::Keys, capturing);
}

void PauseMenu::Draw(Graphics& graphics)
{
    if (!rowFont) {
        headingFont = MakeFont(graphics, 28, 700);
        rowFont = MakeFont(graphics, 20, 700);
        hintFont = MakeFont(graphics, 16, 400);
    }
    graphics.BeginOverlay();
    graphics.DrawPlainRectangle(0.0f, 0.0f, static_cast<float>(Graphics::PictureWidth()),
                                static_cast<float>(Graphics::PictureHeight()), DimColour);
    if (page == Page::Main) {
        DrawMain(graphics);
    } else {
        graphics.DrawPlainRectangle(PanelLeft, PanelTop, PanelRight, PanelBottom, PanelColour);
        if (page == Page::Options) DrawOptions();
        else DrawKeys();
    }
    if (!notice.empty()) rowFont->Draw(notice.c_str(), LabelLeft - 24, NoticeTop, NoticeColour);
    graphics.EndOverlay();
}

void PauseMenu::DrawMain(Graphics& graphics)
{
    constexpr int Left = 176, Right = 464, Top = 120, Bottom = 370, TextLeft = 232, RowGap = 36;
    graphics.DrawPlainRectangle(Left, Top, Right, Bottom, PanelColour);
    headingFont->Draw(Translate("PAUSED"), TextLeft + 24, Top + 20, HeadingColour);
    const char* const rows[MainRows] = {Translate("Resume"), Translate("Options"), Translate("Quit")};
    for (size_t row = 0; row < MainRows; ++row) {
        const bool chosen = row == selected;
        const std::string text = (chosen ? "> " : "  ") + std::string(rows[row]);
        rowFont->Draw(text.c_str(), TextLeft, Top + 76 + static_cast<int>(row) * RowGap, chosen ? ChosenColour : RowColour);
    }
    hintFont->Draw(Translate("Press P or Return to go on"), Left + 32, Bottom - 36, HintColour);
}

void PauseMenu::DrawRow(size_t row, const std::string& label, const std::string& value)
{
    const bool chosen = row == selected;
    const int rowHeight = page == Page::Options ? RowHeight : KeysRowHeight;
    const int top = RowsTop + static_cast<int>(row) * rowHeight;
    const std::string shown = (chosen ? "> " : "  ") + label;
    const uint32_t colour = chosen ? ChosenColour : RowColour;
    rowFont->Draw(shown.c_str(), LabelLeft - 24, top, colour);
    if (!value.empty()) rowFont->Draw((chosen && page == Page::Options ? "< " + value + " >" : value).c_str(), ValueLeft, top, colour);
}

void PauseMenu::DrawOptions()
{
    const OptionValues values = host.Values();
    headingFont->Draw(Translate("Options"), LabelLeft - 24, HeadingTop, HeadingColour);
    DrawRow(RowDisplay, Translate("Display"), values.fullscreen ? Translate("Full screen") : Translate("Window"));
    DrawRow(RowPictures, Translate("Pictures"), values.classicPictures ? Translate("Classic") : Translate("Smooth"));
    DrawRow(RowTextures, Translate("Textures"), values.linearTexture ? "LINEAR" : "NONE LINEAR");
    DrawRow(RowMusic, Translate("Music volume"), std::to_string(values.musicVolume));
    DrawRow(RowSound, Translate("Sound volume"), std::to_string(values.soundVolume));
    DrawRow(RowKeys, Translate("Keys"), "");
    DrawRow(RowBack, Translate("Back"), "");
    DrawHint(Translate("Up/Down choose  Left/Right change  Esc back"));
}

void PauseMenu::DrawKeys()
{
    const OptionValues values = host.Values();
    headingFont->Draw(Translate("Keys"), LabelLeft - 24, HeadingTop, HeadingColour);
    for (size_t action = 0; action < ActionCount; ++action) {
        const bool waiting = page == Page::KeyCapture && action == capturing;
        DrawRow(action, Translate(ActionKeys()[action].label),
                waiting ? "..." : Upper(BindingKeyName(values.keys.KeyOf(action))));
    }
    DrawRow(KeysBackRow, Translate("Back"), "");
    if (page == Page::KeyCapture) {
        DrawHint(TranslateWith("Press a key for %s", Translate(ActionKeys()[capturing].label)).c_str());
    } else {
        DrawHint(Translate("Return: choose a new key  Esc back"));
    }
}

void PauseMenu::DrawHint(const char* hint)
{
    hintFont->Draw(hint, LabelLeft - 24, HintTop, HintColour);
}
