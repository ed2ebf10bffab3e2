// What both of the player's files, settings and records, must stand: another game writing at
// the same time, links into a dotfiles folder, private modes, and files or folders the game
// cannot read.
#include "shell/ConfigFile.h"
#include "shell/RecordsFile.h"
#include "shell/TextFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <pwd.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

GameRecord Game(uint16_t stage) { return {stage, "Rank", "2025-03-14T20:31"}; }

// One of the files as a game uses it: loaded at start, changed once, tried again at exit.
class GameFile {
public:
    virtual ~GameFile() = default;
    virtual void Load() = 0;
    virtual void Change() = 0;
    virtual void WriteWaiting() = 0;
    virtual std::vector<std::string> TakeNotices() = 0;
};

class SettingsGame : public GameFile {
public:
    SettingsGame(const fs::path& path, milliseconds patience) : file(path, patience) {}
    void Load() override { file.Load(); }
    void Change() override { file.Set("texture", "linear"); }
    void WriteWaiting() override { file.WriteWaiting(); }
    std::vector<std::string> TakeNotices() override { return file.TakeNotices(); }

private:
    ConfigFile file;
};

class RecordsGame : public GameFile {
public:
    RecordsGame(const fs::path& path, milliseconds patience) : file(path, patience) {}
    void Load() override { file.Load(); }
    void Change() override { file.Add(Game(9)); }
    void WriteWaiting() override { file.WriteWaiting(); }
    std::vector<std::string> TakeNotices() override { return file.TakeNotices(); }

private:
    RecordsFile file;
};

struct PlayerFile {
    std::string name;
    std::string text;          // a good file
    std::string changed;       // what the game's change writes into it
    std::string otherText;     // `text` as another game rewrites it
    std::string otherChange;   // what that game wrote
    std::unique_ptr<GameFile> (*open)(const fs::path&, milliseconds);
};

const std::vector<PlayerFile>& BothFiles()
{
    static const std::vector<PlayerFile> files = {
        {"velmoor.conf", "# mine\ntexture = nearest\n", "texture = linear", "# mine\ntexture = nearest\nmsaa = 2\n",
         "msaa = 2",
         [](const fs::path& path, milliseconds patience) -> std::unique_ptr<GameFile> {
             return std::make_unique<SettingsGame>(path, patience);
         }},
        {"records", FormatRecords({Game(4)}), "\n9 Rank", FormatRecords({Game(4), Game(3)}), "\n3 Rank",
         [](const fs::path& path, milliseconds patience) -> std::unique_ptr<GameFile> {
             return std::make_unique<RecordsGame>(path, patience);
         }},
    };
    return files;
}

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

size_t Entries(const fs::path& folder)
{
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
    return entries;
}

// Files the game cannot read: checked in a process of a player's rights, since root reads
// everything. Prints what went wrong and exits with 1, or exits with 0.
void CheckUnreadable(const PlayerFile& file, const std::vector<fs::path>& paths)
{
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) std::_Exit(2);
    }
    for (const fs::path& path : paths) {
        const std::unique_ptr<GameFile> game = file.open(path, milliseconds(50));
        game->Load();   // no crash, whatever the folder
        game->Change();
        game->WriteWaiting();
        const std::vector<std::string> notices = game->TakeNotices();
        if (notices.size() != 1 || !Holds(notices[0], "Cannot read") || !Holds(notices[0], "Permission denied")) {
            std::fprintf(stderr, "%s: %zu notices, the first '%s'\n", path.c_str(), notices.size(),
                         notices.empty() ? "" : notices[0].c_str());
            std::_Exit(1);
        }
    }
    std::_Exit(0);
}

}  // namespace

TEST(PlayerFiles, TwoGamesAtOnceEachKeepWhatTheyWrote)
{
    for (const PlayerFile& file : BothFiles()) {
        const fs::path path = FreshTestFolder("shell/player-files/lock-" + file.name) / file.name;
        WriteText(path, file.text);
        const std::unique_ptr<GameFile> game = file.open(path, FileLock::Patience);
        game->Load();
        // Another game holds the file from before this one's change until after its own write.
        auto other = std::make_unique<FileLock>(path);
        ASSERT_TRUE(other->Held());
        std::thread change([&game] { game->Change(); });
        std::this_thread::sleep_for(milliseconds(200));
        FileError error;
        ASSERT_TRUE(WriteTextFileAtomically(path, file.otherText, error)) << error.message;
        other.reset();
        change.join();
        const std::string both = ReadText(path);
        EXPECT_TRUE(Holds(both, file.changed) && Holds(both, file.otherChange)) << both;
        EXPECT_TRUE(game->TakeNotices().empty());

        // A game that is not given the lock in time says so, and writes its change later.
        WriteText(path, file.text);
        const std::unique_ptr<GameFile> impatient = file.open(path, milliseconds(20));
        impatient->Load();
        other = std::make_unique<FileLock>(path);
        impatient->Change();
        EXPECT_EQ(ReadText(path), file.text);
        const std::vector<std::string> notices = impatient->TakeNotices();
        ASSERT_EQ(notices.size(), 1u) << file.name;
        EXPECT_TRUE(Holds(notices[0], "not saved yet: another game holds it")) << notices[0];
        other.reset();
        impatient->WriteWaiting();
        EXPECT_TRUE(Holds(ReadText(path), file.changed)) << ReadText(path);
    }
}

TEST(PlayerFiles, ALinkedFileIsWrittenThroughTheLinkAndKeepsItsMode)
{
    for (const PlayerFile& file : BothFiles()) {
        const fs::path folder = FreshTestFolder("shell/player-files/link-" + file.name);
        const fs::path target = folder / "dotfiles" / file.name, link = folder / "velmoor" / file.name;
        fs::create_directories(target.parent_path());
        fs::create_directories(link.parent_path());
        WriteText(target, file.text);
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
        fs::create_symlink(fs::path("..") / "dotfiles" / file.name, link);
        const std::unique_ptr<GameFile> game = file.open(link, FileLock::Patience);
        game->Load();
        game->Change();
        EXPECT_TRUE(game->TakeNotices().empty());
        EXPECT_TRUE(fs::is_symlink(link)) << file.name;
        EXPECT_TRUE(Holds(ReadText(target), file.changed)) << ReadText(target);
        EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write) << file.name;
        EXPECT_EQ(Entries(target.parent_path()), 1u) << "no temporary file is left beside the target";
    }
}

TEST(PlayerFiles, AFileThatCannotBeReadIsToldOfAndLeftWhereItIs)
{
    for (const PlayerFile& file : BothFiles()) {
        const fs::path folder = FreshTestFolder("shell/player-files/unreadable-" + file.name);
        // A folder in the file's place fails the read itself, as a failing disk does; a link
        // to itself fails the open.
        const fs::path inPlace = folder / "folder" / file.name, loop = folder / "loop" / file.name;
        fs::create_directories(inPlace);
        fs::create_directories(loop.parent_path());
        fs::create_symlink(file.name, loop);
        for (const auto& [path, reason] : {std::pair{inPlace, "Is a directory"}, {loop, "Too many levels of symbolic links"}}) {
            const std::unique_ptr<GameFile> game = file.open(path, FileLock::Patience);
            game->Load();
            game->Change();
            game->WriteWaiting();
            const std::vector<std::string> notices = game->TakeNotices();
            ASSERT_EQ(notices.size(), 1u) << path;
            EXPECT_TRUE(Holds(notices[0], "Cannot read") && Holds(notices[0], reason)) << notices[0];
            EXPECT_FALSE(fs::exists(path.string() + ".damaged")) << "not called damaged";
        }
        EXPECT_TRUE(fs::is_directory(inPlace) && fs::is_empty(inPlace));
        EXPECT_TRUE(fs::is_symlink(loop));
        EXPECT_EQ(fs::read_symlink(loop), file.name);
    }
}

TEST(PlayerFiles, AFolderOrFileThePlayerCannotReadIsToldOfWithoutACrash)
{
    if (geteuid() == 0 && getpwnam("nobody") == nullptr) {
        GTEST_SKIP() << "running as root with no user 'nobody' to drop to: root reads any file";
    }
    for (const PlayerFile& file : BothFiles()) {
        const fs::path folder = FreshTestFolder("shell/player-files/denied-" + file.name);
        // A folder made by sudo with umask 077, and a file the player made unreadable.
        const fs::path unsearchable = folder / "unsearchable" / file.name, unreadable = folder / "unreadable" / file.name;
        for (const fs::path& path : {unsearchable, unreadable}) {
            fs::create_directories(path.parent_path());
            WriteText(path, file.text);
        }
        fs::permissions(unsearchable.parent_path(), fs::perms::none);
        fs::permissions(unreadable, fs::perms::none);
        EXPECT_EXIT(CheckUnreadable(file, {unsearchable, unreadable}), testing::ExitedWithCode(0), "") << file.name;
        fs::permissions(unsearchable.parent_path(), fs::perms::owner_all);
        EXPECT_EQ(ReadText(unsearchable), file.text);
    }
}
