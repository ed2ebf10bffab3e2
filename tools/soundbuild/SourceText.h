#pragma once
#include <stdexcept>
#include <string>
#include <vector>

// The builder's sources are plain text: one statement a line, words separated by blanks, and a
// word starting with '#' begins a comment. Every mistake is reported with the file and line it
// was found on.
struct SourceLine {
    int number = 0;                    // 1-based line in the file
    std::vector<std::string> words;    // never empty
};

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SourceText {
public:
    SourceText(std::string name, const std::string& text);

    bool AtEnd() const { return next >= lines.size(); }
    const SourceLine& Take() { return lines[next++]; }
    const SourceLine& Peek() const { return lines[next]; }

    [[noreturn]] void Fail(const SourceLine& line, const std::string& message) const;
    [[noreturn]] void Fail(int lineNumber, const std::string& message) const;

    double Number(const SourceLine& line, const std::string& word) const;
    int Integer(const SourceLine& line, const std::string& word, int low, int high) const;
    const std::string& Name() const { return name; }

private:
    std::string name;
    std::vector<SourceLine> lines;
    size_t next = 0;
};

std::string ReadTextFile(const std::string& path);
