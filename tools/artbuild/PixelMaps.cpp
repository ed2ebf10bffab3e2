#include "PixelMaps.h"

#include <cstdio>
#include <cstdlib>

#include "TextSource.h"

namespace {

std::string_view TrimRight(std::string_view line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    return line;
}

}  // namespace

char PixelMap::At(int x, int y) const
{
    if (x < 0 || y < 0 || y >= Height() || x >= Width()) return ' ';
    return rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
}

bool PixelMapBook::Parse(std::string_view text, std::string& error)
{
    enum class Block { None, Legend, Map };
    Block block = Block::None;
    PixelMap current;
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t number = 0; number < lines.size(); ++number) {
        const std::string where = "line " + std::to_string(number + 1) + ": ";
        const std::string_view line = TrimRight(lines[number]);
        if (block == Block::None) {
            const std::vector<std::string_view> words = SplitWords(StripComment(line));
            if (words.empty()) continue;
            if (words[0] == "legend" && words.size() == 1) {
                block = Block::Legend;
            } else if (words[0] == "map" && words.size() == 2) {
                if (maps.contains(words[1])) {
                    error = where + "map '" + std::string(words[1]) + "' is defined twice";
                    return false;
                }
                current = PixelMap{std::string(words[1]), {}};
                block = Block::Map;
            } else {
                error = where + "expected 'legend' or 'map NAME'";
                return false;
            }
            continue;
        }
        if (line == "end") {
            if (block == Block::Map) {
                if (current.rows.empty()) {
                    error = where + "map '" + current.name + "' has no rows";
                    return false;
                }
                maps.emplace(current.name, current);
            }
            block = Block::None;
            continue;
        }
        if (block == Block::Legend) {
            const std::vector<std::string_view> words = SplitWords(line.substr(line.empty() ? 0 : 1));
            if (line.size() < 3 || words.size() != 1) {
                error = where + "a legend entry is one character and one colour";
                return false;
            }
            legend[line[0]] = std::string(words[0]);
            continue;
        }
        if (!current.rows.empty() && line.size() != current.rows[0].size()) {
            error = where + "row of map '" + current.name + "' is " + std::to_string(line.size()) +
                    " wide, the first was " + std::to_string(current.rows[0].size());
            return false;
        }
        if (line.empty()) {
            error = where + "empty row inside map '" + current.name + "'";
            return false;
        }
        current.rows.emplace_back(line);
    }
    if (block != Block::None) {
        error = "the last block has no 'end'";
        return false;
    }
    return true;
}

bool PixelMapBook::Has(std::string_view name) const
{
    return maps.find(name) != maps.end();
}

const PixelMap& PixelMapBook::Get(std::string_view name) const
{
    const auto found = maps.find(name);
    if (found == maps.end()) {
        std::fprintf(stderr, "artbuild: no pixel map '%.*s'\n", static_cast<int>(name.size()), name.data());
        std::exit(2);
    }
    return found->second;
}

bool PixelMapBook::Paint(std::string_view name, const Palette& palette, Canvas& out, std::string& error) const
{
    const PixelMap& map = Get(name);
    out = Canvas(map.Width(), map.Height());
    for (int y = 0; y < map.Height(); ++y) {
        for (int x = 0; x < map.Width(); ++x) {
            const auto entry = legend.find(map.At(x, y));
            if (entry == legend.end()) continue;
            Rgba colour;
            if (!palette.Resolve(entry->second, colour)) {
                error = "legend colour '" + entry->second + "' is not in the palette";
                return false;
            }
            out.Set(x, y, colour);
        }
    }
    return true;
}

Canvas PixelMapBook::Paint(std::string_view name, const Palette& palette) const
{
    Canvas out;
    std::string error;
    if (!Paint(name, palette, out, error)) {
        std::fprintf(stderr, "artbuild: map '%.*s': %s\n", static_cast<int>(name.size()), name.data(),
                     error.c_str());
        std::exit(2);
    }
    return out;
}
