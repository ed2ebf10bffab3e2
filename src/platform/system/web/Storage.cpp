#include "platform/system/Storage.h"

#include <emscripten.h>

namespace platform {

// The page copies the player's folder into IndexedDB (Module.persistFiles). Each file is stored
// whole there, so a page closed halfway through a copy still finds a complete file next time.
void KeepWrittenFiles()
{
    EM_ASM({
        if (typeof Module.persistFiles === 'function') Module.persistFiles();
    });
}

}  // namespace platform
