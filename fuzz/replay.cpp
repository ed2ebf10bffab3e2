// Feeds arbitrary bytes to the replay reader: it must refuse or accept, never crash, and what it
// accepts must read back the same after formatting.
#include "shell/Replay.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Replay replay;
    std::string error;
    if (!ParseReplay(text, replay, error)) return 0;
    Replay again;
    if (!ParseReplay(FormatReplay(replay), again, error)) std::abort();
    if (again.seed != replay.seed || again.events != replay.events) std::abort();
    return 0;
}
