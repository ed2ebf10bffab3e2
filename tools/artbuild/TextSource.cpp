#include "TextSource.h"

#include <cctype>
#include <fstream>
#include <sstream>

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::string_view StripComment(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '#') continue;
        const bool atEnd = i + 1 == line.size();
        const bool commentMark = atEnd || line[i + 1] == ' ' || line[i + 1] == '\t' || line[i + 1] == '#';
        const bool startsLine = line.find_first_not_of(" \t") == i;
        if (commentMark || (startsLine && !std::isxdigit(static_cast<unsigned char>(line[i + 1])))) {
            line = line.substr(0, i);
            break;
        }
    }
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = line.find_last_not_of(" \t");
    return line.substr(first, last - first + 1);
}

bool ReadWholeFile(const std::string& path, std::string& contents)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream buffer;
    buffer << file.rdbuf();
    contents = buffer.str();
    return true;
}
