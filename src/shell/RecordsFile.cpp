#include "shell/RecordsFile.h"

#include "shell/ParseNumber.h"
#include "shell/TextFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

constexpr std::string_view Header = "velmoor-records 1";

std::vector<std::string_view> Words(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) break;
        const size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

bool IsRankTitle(std::string_view word)
{
    return !word.empty() && word.size() <= 32 &&
           std::all_of(word.begin(), word.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

// "YYYY-MM-DDTHH:MM": digits where the pattern has 9, the rest as written.
bool IsDate(std::string_view word)
{
    constexpr std::string_view pattern = "9999-99-99T99:99";
    if (word.size() != pattern.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(word[i])) != 0;
        if (pattern[i] == '9' ? !digit : word[i] != pattern[i]) return false;
    }
    return true;
}

std::string ParseRecordLine(const std::vector<std::string_view>& words, GameRecord& record)
{
    if (words.size() != 3) return "expected '<stage> <rank> <date>'";
    if (!ParseNumber(words[0], record.stage)) return "bad stage '" + std::string(words[0]) + "'";
    if (!IsRankTitle(words[1])) return "bad rank '" + std::string(words[1]) + "'";
    if (!IsDate(words[2])) return "bad date '" + std::string(words[2]) + "'";
    record.rank = words[1];
    record.date = words[2];
    return {};
}

bool BetterThan(const GameRecord& a, const GameRecord& b) { return a.stage > b.stage; }

}  // namespace

bool ParseRecords(std::string_view text, std::vector<GameRecord>& records, std::string& error)
{
    records.clear();
    bool headerSeen = false;
    int number = 0;
    while (!text.empty()) {
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
        ++number;
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> words = Words(line);
        if (words.empty()) continue;
        std::string problem;
        GameRecord record;
        if (!headerSeen) {
            headerSeen = words.size() == 2 && words[0] == "velmoor-records" && words[1] == "1";
            if (!headerSeen) problem = "expected the header '" + std::string(Header) + "'";
        } else {
            problem = ParseRecordLine(words, record);
            records.push_back(record);
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    if (!headerSeen) {
        error = "no header '" + std::string(Header) + "'";
        return false;
    }
    // A file put in order by hand is still read best first, and only the ten best are kept.
    std::stable_sort(records.begin(), records.end(), BetterThan);
    if (records.size() > RecordsKept) records.resize(RecordsKept);
    return true;
}

std::string FormatRecords(const std::vector<GameRecord>& records)
{
    std::string text = "# Velmoor: the ten best games, best first: stage record, rank, date.\n";
    text.append(Header).push_back('\n');
    for (const GameRecord& record : records) {
        text += std::to_string(record.stage) + " " + record.rank + " " + record.date + "\n";
    }
    return text;
}

void AddRecord(std::vector<GameRecord>& records, const GameRecord& game)
{
    const auto place = std::upper_bound(records.begin(), records.end(), game, BetterThan);
    records.insert(place, game);
    if (records.size() > RecordsKept) records.resize(RecordsKept);
}

std::string RecordsTable(const std::vector<GameRecord>& records)
{
    if (records.empty()) return "No records yet: they are kept from your first finished game on.\n";
    std::string table = "  #  stage  rank            date\n";
    for (size_t place = 0; place < records.size(); ++place) {
        const GameRecord& record = records[place];
        std::string date = record.date;
        std::replace(date.begin(), date.end(), 'T', ' ');
        char line[128];
        std::snprintf(line, sizeof line, "%3zu  %5u  %-14s  %s\n", place + 1, static_cast<unsigned>(record.stage),
                      record.rank.c_str(), date.c_str());
        table += line;
    }
    return table;
}

void RecordsFile::Load()
{
    records.clear();
    std::string text, error;
    if (path.empty() || !std::filesystem::exists(path)) return;
    if (!ReadTextFile(path, text, error)) {
        std::fprintf(stderr, "velmoor: %s; the records of this run are not kept\n", error.c_str());
        path.clear();   // never overwrite what could not be read
        return;
    }
    if (!ParseRecords(text, records, error)) MoveAside(error);
}

void RecordsFile::MoveAside(const std::string& why)
{
    records.clear();
    std::filesystem::path aside = path.string() + ".damaged";
    for (int number = 2; std::filesystem::exists(aside) && number < 1000; ++number) {
        aside = path.string() + "." + std::to_string(number) + ".damaged";
    }
    std::error_code failed;
    std::filesystem::rename(path, aside, failed);
    if (failed) {
        std::fprintf(stderr, "velmoor: %s is damaged (%s) and cannot be moved aside (%s); the records of this run are not kept\n",
                     path.c_str(), why.c_str(), failed.message().c_str());
        path.clear();
        return;
    }
    std::fprintf(stderr, "velmoor: %s is damaged (%s); it is kept as %s and new records start\n", path.c_str(),
                 why.c_str(), aside.c_str());
}

void RecordsFile::Add(const GameRecord& game)
{
    if (path.empty()) return;
    Load();
    if (path.empty()) return;
    AddRecord(records, game);
    std::string error;
    if (!WriteTextFileAtomically(path, FormatRecords(records), error)) {
        std::fprintf(stderr, "velmoor: %s; this game is not kept in the records\n", error.c_str());
    }
}
