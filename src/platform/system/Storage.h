#pragma once

namespace platform {

// A file the game has finished writing (renamed into place) is to outlast the program. On the
// desktop it already does. In a browser the files live in memory and are copied into the
// browser's own storage (IndexedDB) by the page, which this asks to do so now.
void KeepWrittenFiles();

}  // namespace platform
