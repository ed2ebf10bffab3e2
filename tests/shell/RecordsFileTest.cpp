#include "shell/RecordsFile.h"
#include "shell/TextFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

GameRecord Game(uint16_t stage, const char* date = "2025-03-14T20:31") { return {stage, "Rank", date}; }

}  // namespace

TEST(RecordsFile, ReadsBestFirstAndRefusesDamageNamingTheLine)
{
    std::vector<GameRecord> records;
    std::string error;
    ASSERT_TRUE(ParseRecords("# kept\nvelmoor-records 1\n3 BeginnerMage 2025-01-02T03:04\n"
                             "12 MagicUser 2025-01-01T00:00   # mine\n", records, error)) << error;
    EXPECT_EQ(records, (std::vector<GameRecord>{{12, "MagicUser", "2025-01-01T00:00"},
                                                {3, "BeginnerMage", "2025-01-02T03:04"}}));
    std::vector<GameRecord> again;
    ASSERT_TRUE(ParseRecords(FormatRecords(records), again, error)) << error;
    EXPECT_EQ(again, records);
    ASSERT_TRUE(ParseRecords("\xEF\xBB\xBF" + FormatRecords(records), again, error)) << "an editor's byte-order mark";
    EXPECT_EQ(again, records);

    for (const auto& [text, line] : std::vector<std::pair<std::string, std::string>>{
             {"", "header"}, {"3 Druid 2025-01-01T00:00\n", "line 1"}, {"velmoor-records 2\n", "line 1"},
             {"velmoor-records 1\n\n70000 Druid 2025-01-01T00:00\n", "line 3"},
             {"velmoor-records 1\n3 Dru-id 2025-01-01T00:00\n", "line 2"},
             {"velmoor-records 1\n3 Druid 2025-1-01T00:00\n", "line 2"},
             {"velmoor-records 1\n3 Druid\n", "line 2"}}) {
        EXPECT_FALSE(ParseRecords(text, records, error)) << text;
        EXPECT_NE(error.find(line), std::string::npos) << error;
    }
}

TEST(RecordsFile, KeepsTheTenBestWithTheEarlierGameFirstOnATie)
{
    std::vector<GameRecord> records;
    for (uint16_t stage : {5, 9, 1, 7, 3, 8, 2, 6, 4, 10}) AddRecord(records, Game(stage));
    AddRecord(records, Game(7, "2026-01-01T00:00"));   // a later game equal to one already kept
    ASSERT_EQ(records.size(), RecordsKept);
    std::vector<uint16_t> stages;
    for (const GameRecord& record : records) stages.push_back(record.stage);
    EXPECT_EQ(stages, (std::vector<uint16_t>{10, 9, 8, 7, 7, 6, 5, 4, 3, 2}));
    EXPECT_EQ(records[4].date, "2026-01-01T00:00");
    AddRecord(records, Game(1));
    EXPECT_EQ(records.back().stage, 2) << "a game below the ten best is not kept";
}

TEST(RecordsFile, ADamagedFileIsMovedAsideNeverOverAnotherAndNeverDeleted)
{
    const auto folder = FreshTestFolder("shell/records-file");
    const auto path = folder / "records";
    FileError error;
    for (const char* aside : {"records.damaged", "records.2.damaged"}) {
        ASSERT_TRUE(WriteTextFileAtomically(path, "\x7f" "ELF garbage", error));
        RecordsFile file(path);
        file.Load();
        EXPECT_TRUE(file.Records().empty());
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_EQ(ReadText(folder / aside), "\x7f" "ELF garbage") << aside;
        EXPECT_EQ(file.TakeNotices(), std::vector<std::string>{"Damaged records kept as " + std::string(aside)});
        file.Add(Game(4));
        EXPECT_EQ(file.BestStage(), 4);
    }
    RecordsFile reread(path);
    reread.Load();
    EXPECT_EQ(reread.Records(), (std::vector<GameRecord>{Game(4)}));
    // Damaged while the game ran: set aside at the game over, nothing of it taken into the new file.
    const std::string damaged = "velmoor-records 1\n7 Rank 2025-03-14T20:31\n8 Ra-nk 2025-03-14T20:31\n";
    WriteText(path, damaged);
    reread.Add(Game(2));
    EXPECT_EQ(ReadText(folder / "records.3.damaged"), damaged);
    EXPECT_EQ(ReadText(path), FormatRecords({Game(2)}));

    // Past a thousand copies, and a file far longer than ten records is damaged by its size.
    for (int number = 3; number <= 999; ++number) WriteText(folder / ("records." + std::to_string(number) + ".damaged"), "");
    WriteText(path, FormatRecords({Game(4)}) + std::string(RecordsFile::MaxBytes, '#'));
    RecordsFile huge(path);
    huge.Load();
    EXPECT_TRUE(huge.Records().empty());
    EXPECT_EQ(ReadText(folder / "records.999.damaged"), "");
    EXPECT_EQ(std::filesystem::file_size(folder / "records.1000.damaged"), RecordsFile::MaxBytes + FormatRecords({Game(4)}).size());
}

TEST(RecordsFile, WhatAGameKilledWhileWritingLeftIsRemovedAtStart)
{
    const auto folder = FreshTestFolder("shell/records-left");
    const auto path = folder / "records";
    FileError error;
    ASSERT_TRUE(WriteTextFileAtomically(path, FormatRecords({Game(6)}), error)) << error.message;
    for (const char* name : {"records.tmp-Ab3dE9", "records.tmp-Ab3dE", "records.backup", "velmoor.conf.tmp-Ab3dE9"}) {
        WriteText(folder / name, "half a records fi");
    }
    RecordsFile file(path);
    file.Load();
    EXPECT_EQ(file.BestStage(), 6);
    EXPECT_FALSE(std::filesystem::exists(folder / "records.tmp-Ab3dE9"));
    for (const char* kept : {"records.tmp-Ab3dE", "records.backup", "velmoor.conf.tmp-Ab3dE9"}) {
        EXPECT_TRUE(std::filesystem::exists(folder / kept)) << kept << " is not ours to remove";
    }
}
