#pragma once
#include "shell/FileLock.h"
#include "shell/PlayerNotices.h"

#include <chrono>
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

// Reads a records text, best first; a leading byte-order mark is skipped. A text that is not a
// records file, or has a line that is not a record, is refused with a message naming the line.
bool ParseRecords(std::string_view text, std::vector<GameRecord>& records, std::string& error);
std::string FormatRecords(const std::vector<GameRecord>& records);

// Puts a game among the records, below every game that reached its stage or more, and keeps
// the ten best.
void AddRecord(std::vector<GameRecord>& records, const GameRecord& game);

// What `velmoor --records` prints.
std::string RecordsTable(const std::vector<GameRecord>& records);

// The records file on disk. Every change is made holding the file's lock (FileLock), so two
// games that end together each keep their record.
class RecordsFile {
public:
    // No real records file comes near it (ten lines): a longer one is damaged.
    static constexpr size_t MaxBytes = 1 << 20;

    explicit RecordsFile(std::filesystem::path file, std::chrono::milliseconds lockPatience = FileLock::Patience);

    // Reads the file, first removing what a game killed while writing left. A damaged one (not
    // a records text, or longer than MaxBytes) is never lost: it is renamed with a ".damaged"
    // suffix (".2.damaged" and on when that is taken, never over an older one), the player is
    // told, and the records start afresh. A file that cannot be read stays where it is, the
    // player is told, and the records of this run are not kept.
    void Load();
    const std::vector<GameRecord>& Records() const { return records; }   // with the games still waiting
    uint16_t BestStage() const { return records.empty() ? 0 : records.front().stage; }

    // A finished game: under the lock the file is read again (another run may have added to
    // it), the game added, and the file written atomically. A game that cannot be written now
    // (the lock not given in time, the file unreadable, the disk full) waits, the player is told,
    // and it goes with the next write.
    void Add(const GameRecord& game);
    // The waiting games tried once more, when the run ends; what still fails is told as lost.
    void WriteWaiting();
    size_t Waiting() const { return waiting.size(); }

    // What the player should see in the window; see PlayerNotices.
    std::vector<std::string> TakeNotices() { return notices.Take(); }
    const std::filesystem::path& Path() const { return path; }

private:
    enum class Reading { Good, Damaged, Failed };
    // The file's records, best first; empty unless Good.
    Reading Read(std::vector<GameRecord>& read, std::string& damage, FileError& error) const;
    bool MoveAside(const std::string& why);
    void Write(bool lastTry);
    void Postpone(const FileError& error, bool lastTry);

    std::filesystem::path     path;           // empty: no home folder, or a file not to be touched
    std::chrono::milliseconds lockPatience;
    std::vector<GameRecord>   records;        // best first
    std::vector<GameRecord>   waiting;        // games of this run not in the file yet, oldest first
    PlayerNotices             notices;
};
