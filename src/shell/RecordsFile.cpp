#include "shell/RecordsFile.h"

#include "platform/system/FileMoves.h"

#include "shell/ParseNumber.h"
#include "shell/TextFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

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
    text = WithoutByteOrderMark(text);
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

RecordsFile::RecordsFile(std::filesystem::path file, std::chrono::milliseconds patience)
    : path(std::move(file)), lockPatience(patience)
{
}

void RecordsFile::Load()
{
    records.clear();
    if (path.empty()) return;
    // Without the lock another game may be writing: its temporary file is left alone, and a
    // file that looks damaged is only set aside once that game is done (at the next write).
    const FileLock lock(path, lockPatience);
    if (lock.Held()) RemoveLeftTemporaryFiles(path);
    std::string damage;
    FileError error;
    switch (Read(records, damage, error)) {
    case Reading::Good:
        break;
    case Reading::Damaged:
        if (lock.Held() || !lock.Busy()) MoveAside(damage);
        break;
    case Reading::Failed:
        notices.Tell(error.message + "; the records of this run are not kept", "Cannot read records: " + error.reason);
        path.clear();   // never overwrite what could not be read
        break;
    }
}

RecordsFile::Reading RecordsFile::Read(std::vector<GameRecord>& read, std::string& damage, FileError& error) const
{
    read.clear();
    std::string text;
    switch (ReadTextFile(path, text, error, MaxBytes)) {
    case FileRead::Read:
        if (ParseRecords(text, read, damage)) return Reading::Good;
        read.clear();   // nothing of a damaged file is taken
        return Reading::Damaged;
    case FileRead::Missing:
        return Reading::Good;
    case FileRead::TooLarge:
        damage = "longer than " + std::to_string(MaxBytes >> 20) + " MB";
        return Reading::Damaged;
    case FileRead::Failed:
        break;
    }
    return Reading::Failed;
}


bool RecordsFile::MoveAside(const std::string& why)
{
    // A linked file is set aside beside its target; the link stays for the new file.
    std::filesystem::path target;
    FileError error;
    bool moved = FollowLinks(path, target, error);
    std::filesystem::path aside = target.string() + ".damaged";
    for (unsigned number = 2; moved; ++number) {
        if (platform::RenameWithoutReplacing(target, aside)) break;
        if (errno != EEXIST) {
            error.reason = std::strerror(errno);
            moved = false;
        }
        aside = target.string() + "." + std::to_string(number) + ".damaged";
    }
    if (!moved) {
        notices.Tell(path.string() + " is damaged (" + why + ") and cannot be moved aside (" + error.reason +
                         "); the records of this run are not kept",
                     "Damaged records stuck: " + error.reason);
        path.clear();
        return false;
    }
    notices.Tell(path.string() + " is damaged (" + why + "); it is kept as " + aside.string() + " and new records start",
                 "Damaged records kept as " + aside.filename().string());
    return true;
}

void RecordsFile::Add(const GameRecord& game)
{
    if (path.empty()) return;
    AddRecord(records, game);   // on the title at once, whether the file takes it now or later
    waiting.push_back(game);
    Write(false);
}

void RecordsFile::WriteWaiting()
{
    if (!path.empty() && !waiting.empty()) Write(true);
}

void RecordsFile::Write(bool lastTry)
{
    std::error_code ignored;   // a folder that cannot be made fails the lock, with its reason
    std::filesystem::create_directories(path.parent_path(), ignored);
    const FileLock lock(path, lockPatience);
    if (!lock.Held()) return Postpone(lock.Error(), lastTry);
    std::vector<GameRecord> read;
    std::string damage;
    FileError error;
    const Reading reading = Read(read, damage, error);
    if (reading == Reading::Failed) return Postpone(error, lastTry);
    if (reading == Reading::Damaged && !MoveAside(damage)) return;
    for (const GameRecord& game : waiting) AddRecord(read, game);
    if (!WriteTextFileAtomically(path, FormatRecords(read), error)) return Postpone(error, lastTry);
    records = std::move(read);
    waiting.clear();
}

void RecordsFile::Postpone(const FileError& error, bool lastTry)
{
    if (lastTry) {
        notices.Tell(error.message + "; " + std::to_string(waiting.size()) + " game(s) of this run are not kept in the records",
                     "Record not saved: " + error.reason);
    } else {
        notices.Tell(error.message + "; the record is tried again at the next game over and at exit",
                     "Record not saved yet: " + error.reason);
    }
}
