#include "platform/dialogs/MessageBox.h"

#include <emscripten.h>

namespace platform {

// The page shows the notice over the canvas (Module.showMessage); a page without one has the
// line the game prints on stderr, which reaches the browser's console.
bool ShowMessageBox(const char* caption, const char* text, const char* detail)
{
    const int shown = EM_ASM_INT(
        {
            if (typeof Module.showMessage !== 'function') return 0;
            Module.showMessage(UTF8ToString($0), UTF8ToString($1), $2 ? UTF8ToString($2) : "");
            return 1;
        },
        caption, text, detail);
    return shown != 0;
}

}  // namespace platform
