// Feeds arbitrary bytes to the settings reader: it must read or refuse each line, never crash,
// and a setting the game writes into any text must read back as written, every other line kept.
// Behind a UTF-8 byte-order mark the text reads the same, and a written setting keeps the mark.
#include "shell/ConfigFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view Mark = "\xEF\xBB\xBF";

bool SameSettings(const PlayerSettings& a, const PlayerSettings& b)
{
    return a.linearTexture == b.linearTexture && a.musicVolume == b.musicVolume && a.msaa == b.msaa &&
           a.fps == b.fps && a.mode == b.mode && a.keys.KeyboardMap() == b.keys.KeyboardMap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ConfigProblem> problems;
    const PlayerSettings before = ParseConfig(text, problems);
    for (size_t action = 0; action < ActionCount; ++action) {
        if (before.keys.SharingKeyWith(action) != ActionCount) std::abort();
    }
    const bool linear = !before.linearTexture;
    std::vector<ConfigProblem> ignored;
    const PlayerSettings after = ParseConfig(SetConfigValue(text, "texture", TextureValue(linear)), ignored);
    if (after.linearTexture != linear || after.musicVolume != before.musicVolume || after.msaa != before.msaa) std::abort();

    if (text.starts_with(Mark)) return 0;   // one mark is skipped, as editors write one
    const std::string marked = std::string(Mark) + std::string(text);
    std::vector<ConfigProblem> markedProblems;
    if (!SameSettings(ParseConfig(marked, markedProblems), before) || markedProblems.size() != problems.size()) std::abort();
    const std::string written = SetConfigValue(marked, "texture", TextureValue(linear));
    if (!written.starts_with(Mark) || ParseConfig(written, ignored).linearTexture != linear) std::abort();
    return 0;
}
