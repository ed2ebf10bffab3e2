#include "platform/dialogs/ModeDialog.h"

namespace platform {

// In a browser the page asks instead: its Play button starts the game in the page, and its Full
// screen button (the browser's own, which only a click may use) fills the screen.
bool AskWindowedMode(bool) { return true; }

}  // namespace platform
