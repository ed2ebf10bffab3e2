#include "platform/dialogs/ModeDialog.h"

#include "core/Translation.h"
#include "platform/dialogs/DialogFont.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {

void ModeChoice::Step(int& item, int by) const { item = std::clamp(item + by, 0, ItemCount - 1); }

void ModeChoice::Choose(int item)
{
    selection = std::clamp(item, 0, ItemCount - 1);
    highlight = selection;
    listOpen = false;
}

void ModeChoice::Key(DialogKey key)
{
    if (listOpen) {
        switch (key) {
        case DialogKey::Up:       Step(highlight, -1); return;
        case DialogKey::Down:     Step(highlight, +1); return;
        case DialogKey::Escape:   Choose(selection); return;   // closed, nothing changed
        case DialogKey::Return:
        case DialogKey::OpenList: Choose(highlight); return;
        case DialogKey::Tab:
        case DialogKey::BackTab:  Choose(highlight); break;   // and on to the next control
        case DialogKey::Space:    return;
        }
    }
    switch (key) {
    case DialogKey::Up:
    case DialogKey::Down:
        if (focus == Focus::List) Step(selection, key == DialogKey::Up ? -1 : +1);
        highlight = selection;
        return;
    case DialogKey::OpenList:
        focus = Focus::List;
        listOpen = true;
        return;
    case DialogKey::Tab:
    case DialogKey::BackTab:
        focus = focus == Focus::List ? Focus::Ok : Focus::List;
        return;
    case DialogKey::Return:
        accepted = true;   // OK is the default button
        return;
    case DialogKey::Space:
        accepted = focus == Focus::Ok;
        return;
    case DialogKey::Escape:
        return;            // no cancel path: the dialog stays
    }
}

void ModeChoice::ClickBox()
{
    focus = Focus::List;
    if (listOpen) {
        highlight = selection;
        listOpen = false;
        return;
    }
    highlight = selection;
    listOpen = true;
}

void ModeChoice::PointAt(int item)
{
    if (listOpen && item >= 0 && item < ItemCount) highlight = item;
}

void ModeChoice::ClickItem(int item)
{
    if (listOpen && item >= 0 && item < ItemCount) Choose(item);
}

void ModeChoice::PressOk(bool down, bool inside)
{
    if (down) {
        listOpen = false;
        focus = Focus::Ok;
        okPressed = inside;
        return;
    }
    accepted = okPressed && inside;
    okPressed = false;
}

namespace {

constexpr int DialogFontPixels = 12;   // 9 points on a 96-dpi screen

}  // namespace

// Japanese players see the dialog as it has always read; the item names stay English there.
ModeDialogWords ModeDialogText()
{
    return {TranslateIn("start-up dialog", "Velmoor: choose the screen"), TranslateIn("start-up dialog", "Mode"),
            {TranslateIn("start-up dialog", "Window"), TranslateIn("start-up dialog", "Full screen")},
            TranslateIn("start-up dialog", "OK")};
}

namespace {

// The dialog as laid out in dialog units: 179 by 30, the label ("Mode") at (5, 13), the list at (30, 10)
// 60 wide, OK at (105, 10) 65 by 14.
class ModeDialogContent final : public DialogContent {
public:
    ModeDialogContent(const DialogFont& font, const ModeDialogWords& words_, bool preselectWindow)
        : choice(preselectWindow ? 0 : 1), units{font.AverageWidth(), font.LineHeight()}, words(words_)
    {
        label = units.Rect(5, 13, 22, 8);
        box = units.Rect(30, 10, 60, 0);
        box.h = font.LineHeight() + 8;
        ok = units.Rect(105, 10, 65, 14);
        rowHeight = font.LineHeight() + 4;
    }
    int Width() const { return units.X(179); }
    int Height() const { return units.Y(30); }
    bool Windowed() const { return choice.Selection() == 0; }

    void Draw(DialogPainter& painter) override
    {
        painter.Text(label.x, label.y, words.label);
        const bool listFocused = choice.FocusedControl() == ModeChoice::Focus::List;
        painter.ComboBox(box, words.items[static_cast<size_t>(choice.Selection())],
                         listFocused && !choice.ListOpen(), choice.ListOpen());
        painter.Button(ok, words.ok, true, !listFocused, choice.OkPressed());
    }
    void OnKey(DialogKey key) override { choice.Key(key); }
    void OnMouseButton(bool down, int x, int y) override
    {
        if (down && box.Contains(x, y)) choice.ClickBox();
        else if (down && ok.Contains(x, y)) choice.PressOk(true, true);
        else if (!down && choice.OkPressed()) choice.PressOk(false, ok.Contains(x, y));
        else if (down) choice.CloseList();
    }
    void OnCloseButton() override {}   // asked again: the dialog stays until OK
    bool Finished() const override { return choice.Accepted(); }

    DialogRect PopupRect() const override
    {
        if (!choice.ListOpen()) return {};
        return {box.x, box.y + box.h, box.w, ModeChoice::ItemCount * rowHeight + 2};
    }
    void DrawPopup(DialogPainter& painter) override
    {
        const DialogRect popup = PopupRect();
        painter.List({0, 0, popup.w, popup.h}, words.items, choice.Highlight(), rowHeight);
    }
    void OnPopupMouse(bool button, bool down, int, int y) override
    {
        const int item = (y - 1) / rowHeight;
        if (!button) choice.PointAt(item);
        else if (!down) choice.ClickItem(item);
    }

private:
    ModeChoice  choice;
    DialogUnits units;
    ModeDialogWords words;
    DialogRect  label, box, ok;   // pixels
    int         rowHeight = 0;    // pixels, one item of the open list
};

}  // namespace

bool AskWindowedMode(bool preselectWindow)
{
    DialogFont font;
    std::string error;
    if (!OpenDialogFace(font, DialogFontPixels, error)) {
        std::fprintf(stderr, "velmoor: the start-up dialog has no font (%s); playing %s\n", error.c_str(),
                     preselectWindow ? "in a window" : "full screen");
        return preselectWindow;
    }
    const ModeDialogWords words = ModeDialogText();
    ModeDialogContent content(font, words, preselectWindow);
    const bool shown = RunDialog(words.caption.c_str(), content.Width(), content.Height(), font, nullptr, content);
    // Asked to end before an answer (a signal): the game starts only to end in its first frame.
    if (!shown || !content.Finished()) return preselectWindow;
    return content.Windowed();
}

}  // namespace platform
