#pragma once

namespace platform {

// A modal notice with a caption and a text, owned by the game window when there is one.
// Returns false when no box could be shown (no display).
bool ShowMessageBox(const char* caption, const char* text);

}  // namespace platform
