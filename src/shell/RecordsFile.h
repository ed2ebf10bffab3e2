#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The player's ten best games, kept in $XDG_DATA_HOME/velmoor/records:
//   velmoor-records 1
//   <stage record> <rank title> <date>      best first, '#' starts a comment
// for instance "12 MagicUser 2025-03-14T20:31". Of two games that reached the same stage the
// earlier keeps the higher place.
struct GameRecord {
    uint16_t    stage = 0;   // the stage the game ended in
    std::string rank;        // the rank title it earned, "BeginnerMage"
    std::string date;        // local time the game ended, "YYYY-MM-DDTHH:MM"

    friend bool operator==(const GameRecord&, const GameRecord&) = default;
};

constexpr size_t RecordsKept = 10;

// Reads a records text, best first. A text that is not a records file, or has a line that is
// not a record, is refused with a message naming the line.
bool ParseRecords(std::string_view text, std::vector<GameRecord>& records, std::string& error);
std::string FormatRecords(const std::vector<GameRecord>& records);

// Puts a game among the records, below every game that reached its stage or more, and keeps
// the ten best.
void AddRecord(std::vector<GameRecord>& records, const GameRecord& game);

// What `velmoor --records` prints.
std::string RecordsTable(const std::vector<GameRecord>& records);

// The records file on disk.
class RecordsFile {
public:
    explicit RecordsFile(std::filesystem::path file) : path(std::move(file)) {}

    // Reads the file. A damaged one is never lost: it is renamed with a ".damaged" suffix, one
    // stderr line says so, and the records start afresh.
    void Load();
    const std::vector<GameRecord>& Records() const { return records; }
    uint16_t BestStage() const { return records.empty() ? 0 : records.front().stage; }

    // A finished game: the file is read again (another run may have added to it), the game
    // added, and the file written atomically.
    void Add(const GameRecord& game);

    const std::filesystem::path& Path() const { return path; }

private:
    void MoveAside(const std::string& why);

    std::filesystem::path   path;      // empty: no home folder, nothing is kept
    std::vector<GameRecord> records;   // best first
};
