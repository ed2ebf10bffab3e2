// Feeds arbitrary bytes to the records reader: it must accept or refuse, never crash; what it
// accepts holds at most ten games, best first, reads back the same after it is written, and
// the same again behind a UTF-8 byte-order mark.
#include "shell/RecordsFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<GameRecord> records;
    std::string error;
    if (!ParseRecords(text, records, error)) return 0;
    if (records.size() > RecordsKept) std::abort();
    if (!std::is_sorted(records.begin(), records.end(), [](const GameRecord& a, const GameRecord& b) { return a.stage > b.stage; })) std::abort();
    std::vector<GameRecord> again;
    if (!ParseRecords(FormatRecords(records), again, error) || again != records) std::abort();
    if (text.starts_with("\xEF\xBB\xBF")) return 0;   // one mark is skipped, as editors write one
    if (!ParseRecords("\xEF\xBB\xBF" + std::string(text), again, error) || again != records) std::abort();
    return 0;
}
