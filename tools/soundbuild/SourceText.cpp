#include "SourceText.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace {

// A comment is a '#' that starts a word, so sharps such as "c#4" stay part of their note.
size_t CommentStart(const std::string& line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return i;
    }
    return line.size();
}

}  // namespace

SourceText::SourceText(std::string fileName, const std::string& text) : name(std::move(fileName))
{
    std::istringstream in(text);
    std::string raw;
    for (int number = 1; std::getline(in, raw); ++number) {
        raw.erase(CommentStart(raw));
        std::istringstream words(raw);
        SourceLine line{number, {}};
        for (std::string word; words >> word;) line.words.push_back(word);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
}

void SourceText::Fail(const SourceLine& line, const std::string& message) const { Fail(line.number, message); }

void SourceText::Fail(int lineNumber, const std::string& message) const
{
    throw SourceError(name + ":" + std::to_string(lineNumber) + ": " + message);
}

double SourceText::Number(const SourceLine& line, const std::string& word) const
{
    // Parsed without the C locale's help, so a build on any machine reads the same numbers.
    double value = 0.0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) Fail(line, "not a number: '" + word + "'");
    return value;
}

int SourceText::Integer(const SourceLine& line, const std::string& word, int low, int high) const
{
    int value = 0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end) Fail(line, "not a whole number: '" + word + "'");
    if (value < low || value > high) {
        Fail(line, word + " is outside " + std::to_string(low) + ".." + std::to_string(high));
    }
    return value;
}

std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path + ": cannot open");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
