#pragma once

namespace platform {

// Keeps every shared library loaded so far in memory until the process ends. The OpenGL
// driver is loaded behind our back when the window and context are made, and unloading it at
// exit leaves its still-referenced records nameless to the leak checker of sanitizer builds;
// the process is ending anyway, so nothing is gained by unloading.
void KeepLoadedLibraries();

}  // namespace platform
