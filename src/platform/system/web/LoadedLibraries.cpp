#include "platform/system/LoadedLibraries.h"

namespace platform {

// A WebAssembly program is one module: no shared library is ever loaded or unloaded.
void KeepLoadedLibraries() {}

}  // namespace platform
