#pragma once
#include "platform/dialogs/DialogPainter.h"

namespace platform {

class DialogFont;

// The keys a dialog answers to.
enum class DialogKey { Up, Down, Return, Escape, Tab, BackTab, Space, OpenList };

// What a dialog shows and how it answers the player. Coordinates are pixels of the dialog's
// inner area, or of its pop-up (a drop-down list) for the pop-up calls.
class DialogContent {
public:
    virtual ~DialogContent() = default;

    virtual void Draw(DialogPainter& painter) = 0;
    virtual void OnKey(DialogKey key) = 0;
    virtual void OnMouseButton(bool down, int x, int y) = 0;
    virtual void OnCloseButton() = 0;            // the window's close button
    virtual bool Finished() const = 0;

    // A pop-up beside the dialog, shown while the rectangle (relative to the dialog) is not
    // empty: it may reach past the dialog's edges.
    virtual DialogRect PopupRect() const { return {}; }
    virtual void DrawPopup(DialogPainter&) {}
    virtual void OnPopupMouse(bool button, bool down, int x, int y) { (void)button, (void)down, (void)x, (void)y; }
};

// Shows a dialog in a small window of its own, drawn with SDL's 2-D renderer in software so it
// needs no OpenGL, centred on the game window when there is one (and kept above it), and runs
// it until the content is finished: meanwhile only the dialog takes keys and clicks. A request
// to end the program (a signal) ends it early and is left for the game's loop. False when no
// window can be shown (no display, or one nobody sees), before anything was drawn.
bool RunDialog(const char* caption, int width, int height, DialogFont& font, DialogFont* smallFont,
               DialogContent& content);

}  // namespace platform
