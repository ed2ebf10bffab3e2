#include "Palette.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "TextSource.h"

bool Palette::Parse(std::string_view text, std::string& error)
{
    const std::vector<std::string_view> lines = SplitLines(text);
    for (size_t number = 0; number < lines.size(); ++number) {
        const std::vector<std::string_view> words = SplitWords(StripComment(lines[number]));
        if (words.empty()) continue;
        const std::string where = "palette line " + std::to_string(number + 1) + ": ";
        const bool isRamp = words[0] == "ramp";
        if (!isRamp && words[0] != "colour") {
            error = where + "expected 'ramp' or 'colour'";
            return false;
        }
        if (words.size() < 3 || (!isRamp && words.size() != 3)) {
            error = where + "expected a name and " + (isRamp ? "colours" : "one colour");
            return false;
        }
        const std::string name(words[1]);
        if (ramps.contains(name)) {
            error = where + "'" + name + "' is defined twice";
            return false;
        }
        Ramp ramp;
        for (size_t i = 2; i < words.size(); ++i) {
            Rgba colour;
            if (!ParseHexColour(words[i], colour)) {
                error = where + "'" + std::string(words[i]) + "' is not a #rrggbb colour";
                return false;
            }
            ramp.push_back(colour);
        }
        ramps.emplace(name, std::move(ramp));
    }
    return true;
}

bool Palette::Has(std::string_view name) const
{
    return ramps.find(name) != ramps.end();
}

const Ramp& Palette::Get(std::string_view name) const
{
    const auto found = ramps.find(name);
    if (found == ramps.end()) {
        std::fprintf(stderr, "artbuild: the palette has no colour '%.*s'\n", static_cast<int>(name.size()),
                     name.data());
        std::exit(2);
    }
    return found->second;
}

Rgba Palette::Step(std::string_view name, int step) const
{
    const Ramp& ramp = Get(name);
    const int count = static_cast<int>(ramp.size());
    if (step < 0) step += count;
    if (step < 0) step = 0;
    if (step >= count) step = count - 1;
    return ramp[static_cast<size_t>(step)];
}

bool Palette::Resolve(std::string_view reference, Rgba& out) const
{
    if (reference == "none") {
        out = Transparent();
        return true;
    }
    if (!reference.empty() && reference[0] == '#') return ParseHexColour(reference, out);
    const size_t dot = reference.find('.');
    const std::string_view name = reference.substr(0, dot);
    const auto found = ramps.find(name);
    if (found == ramps.end()) return false;
    int step = 0;
    if (dot != std::string_view::npos) {
        const std::string_view digits = reference.substr(dot + 1);
        const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), step);
        if (status != std::errc() || end != digits.data() + digits.size()) return false;
        if (step < 0 || step >= static_cast<int>(found->second.size())) return false;
    }
    out = found->second[static_cast<size_t>(step)];
    return true;
}
