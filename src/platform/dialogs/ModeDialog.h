#pragma once
#include "platform/dialogs/DialogWindow.h"

#include <string>
#include <vector>

namespace platform {

// What the start-up dialog does with the keys and the mouse, apart from any window: a drop-down
// list of "Window" and "FullScreen" and an OK button, the list focused first and OK the default
// button. OK is the only way out: Escape closes an open list and nothing else.
class ModeChoice {
public:
    enum class Focus { List, Ok };
    static constexpr int ItemCount = 2;   // 0 "Window", 1 "FullScreen"

    explicit ModeChoice(int preselected) : selection(preselected), highlight(preselected) {}

    void Key(DialogKey key);
    void ClickBox();                       // the closed list or its arrow: opens or closes it
    void PointAt(int item);                // the mouse over an item of the open list
    void ClickItem(int item);              // chooses the item and closes the list
    void CloseList() { listOpen = false; }
    void PressOk(bool down, bool inside);  // the mouse button on (or leaving) the OK button

    int Selection() const { return selection; }
    int Highlight() const { return highlight; }
    bool ListOpen() const { return listOpen; }
    Focus FocusedControl() const { return focus; }
    bool OkPressed() const { return okPressed; }
    bool Accepted() const { return accepted; }

private:
    void Choose(int item);
    void Step(int& item, int by) const;

    int   selection;               // the item shown in the closed list
    int   highlight;               // the item marked in the open list
    bool  listOpen = false;
    Focus focus = Focus::List;
    bool  okPressed = false;       // the mouse holds the OK button down
    bool  accepted = false;
};

// The dialog's words in the player's language.
struct ModeDialogWords {
    std::string caption;
    std::string label;
    std::vector<std::string> items;   // "Window", "FullScreen"
    std::string ok;
};
ModeDialogWords ModeDialogText();

// Asks at start-up: "Window" (true) or "FullScreen" (false), the given answer chosen to begin
// with. Where no dialog can be shown (no display, no font) that answer is taken.
bool AskWindowedMode(bool preselectWindow);

}  // namespace platform
