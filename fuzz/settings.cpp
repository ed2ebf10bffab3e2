// Feeds arbitrary bytes to the settings reader: it must read or refuse each line, never crash,
// and a setting the game writes into any text must read back as written, every other line kept.
#include "shell/ConfigFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ConfigProblem> problems;
    const PlayerSettings before = ParseConfig(text, problems);
    for (size_t action = 0; action < ActionCount; ++action) {
        if (before.keys.SharingKeyWith(action) != ActionCount) std::abort();
    }
    const bool linear = !before.linearTexture;
    problems.clear();
    const PlayerSettings after = ParseConfig(SetConfigValue(text, "texture", TextureValue(linear)), problems);
    if (after.linearTexture != linear || after.musicVolume != before.musicVolume || after.msaa != before.msaa) std::abort();
    return 0;
}
