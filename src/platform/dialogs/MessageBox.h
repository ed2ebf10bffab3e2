#pragma once

namespace platform {

// A modal notice in the game's own dialog window, centred on the game window when there is
// one: a warning sign, the caption as its title, the text, and below it in a smaller line the
// detail (which file, what is wrong with it) when there is one; OK (or Return, Space, Escape,
// the close button) ends it. Returns false when no notice could be shown (no display, no font).
bool ShowMessageBox(const char* caption, const char* text, const char* detail = nullptr);

}  // namespace platform
