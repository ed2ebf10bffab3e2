#include "core/VirtualKeys.h"
#include "shell/CommandLine.h"
#include "shell/ConfigFile.h"
#include "shell/TextFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

size_t Action(std::string_view setting)
{
    for (size_t action = 0; action < ActionCount; ++action) {
        if (ActionKeys()[action].setting == setting) return action;
    }
    return ActionCount;
}

}  // namespace

TEST(SettingsFile, ReadsEveryKeyAndNamesEachLineItCannotRead)
{
    const std::string text =
        "# mine\n"
        "mode = fullscreen\n"
        "last-mode=fullscreen   # no blanks needed\n"
        "texture = linear\n"
        "music-volume = 0\n"
        "sound-volume = 100\n"
        "classic = yes\n"
        "fps = 120\n"
        "msaa = 4\n"
        "\n"
        "texture = blurry\n"        // 11: bad value, the good line before still counts
        "music-volume = 101\n"      // 12
        "msaa = 3\n"                // 13
        "colour = red\n"            // 14
        "just words\n"              // 15
        "sound-volume =\n";         // 16
    std::vector<ConfigProblem> problems;
    const PlayerSettings s = ParseConfig(text, problems);
    EXPECT_EQ(s.mode, ModeSetting::FullScreen);
    EXPECT_FALSE(s.lastWindowed);
    EXPECT_TRUE(s.linearTexture);
    EXPECT_EQ(s.musicVolume, 0);
    EXPECT_EQ(s.soundVolume, 100);
    EXPECT_TRUE(s.classic);
    EXPECT_EQ(s.fps, 120);
    EXPECT_EQ(s.msaa, 4);
    std::vector<int> lines;
    for (const ConfigProblem& problem : problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<int>{11, 12, 13, 14, 15, 16}));
    EXPECT_NE(problems[3].message.find("colour"), std::string::npos) << problems[3].message;

    // Saved by an editor that starts UTF-8 files with a byte-order mark: the first line counts,
    // and the mark stays when the game changes a setting.
    problems.clear();
    const std::string marked = "\xEF\xBB\xBFmsaa = 8\ntexture = nearest\n";
    EXPECT_EQ(ParseConfig(marked, problems).msaa, 8);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(SetConfigValue(marked, "msaa", "2"), "\xEF\xBB\xBFmsaa = 2\ntexture = nearest\n");
}

TEST(SettingsFile, BindingsMoveActionsAndNeverPutTwoOnOneKey)
{
    std::vector<ConfigProblem> problems;
    // Jump and cast swapped, the map on a letter; look-up then asks for the map's new key.
    const PlayerSettings s = ParseConfig("key.jump = z\nkey.cast = SPACE\nkey.map = m\nkey.look-up = m\n"
                                         "key.left = escape\n", problems);
    EXPECT_EQ(s.keys.KeyOf(Action("key.jump")), vk::Z);
    EXPECT_EQ(s.keys.KeyOf(Action("key.cast")), vk::Space);
    EXPECT_EQ(s.keys.KeyOf(Action("key.map")), 'M');
    EXPECT_EQ(s.keys.KeyOf(Action("key.look-up")), vk::PageUp) << "the later of two lines on one key is refused";
    EXPECT_EQ(s.keys.KeyOf(Action("key.left")), vk::Left) << "escape always quits";
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].line, 5);
    EXPECT_EQ(problems[1].line, 4);
    EXPECT_NE(problems[1].message.find("key.map"), std::string::npos) << problems[1].message;

    // The keyboard reaches the game as the game's own keys; moved keys no longer act.
    const std::array<uint8_t, 256> map = s.keys.KeyboardMap();
    EXPECT_EQ(map[vk::Z], vk::Space);
    EXPECT_EQ(map[vk::Space], vk::Z);
    EXPECT_EQ(map['M'], vk::Shift);
    EXPECT_EQ(map[vk::Shift], 0);
    EXPECT_EQ(map[vk::Escape], vk::Escape);
    EXPECT_EQ(map['Q'], 'Q');

    // A binding that takes another action's default key is refused too.
    problems.clear();
    EXPECT_EQ(ParseConfig("key.jump = z\n", problems).keys.KeyOf(Action("key.jump")), vk::Space);
    EXPECT_EQ(problems.size(), 1u);
}

TEST(SettingsFile, ChangingASettingKeepsEveryOtherLineAsWritten)
{
    const std::string text = "# my settings\ntexture = nearest  # crisp\nfoo bar\ntexture = nearest\nmsaa = 2\n";
    EXPECT_EQ(SetConfigValue(text, "texture", "linear"),
              "# my settings\ntexture = nearest  # crisp\nfoo bar\ntexture = linear\nmsaa = 2\n");
    EXPECT_EQ(SetConfigValue("msaa = 2 # on\nfps = 1", "msaa", "0"), "msaa = 0   # on\nfps = 1\n");
    EXPECT_EQ(SetConfigValue("fps = 1", "last-mode", "fullscreen"), "fps = 1\nlast-mode = fullscreen\n");

    // A new file lists every key, and reads back as the values it was written from.
    PlayerSettings values;
    values.musicVolume = 35;
    values.keys.Bind(Action("key.cast"), 'X');
    std::vector<ConfigProblem> problems;
    const PlayerSettings read = ParseConfig(NewConfigText(values), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(read.musicVolume, 35);
    EXPECT_EQ(read.keys.KeyOf(Action("key.cast")), 'X');
}

TEST(SettingsFile, WritesAtomicallyAndOnlyWhenASettingChanges)
{
    const auto folder = FreshTestFolder("shell/settings-file");
    const auto path = folder / "velmoor" / "velmoor.conf";
    FileError error;
    ConfigFile missing(path);
    missing.Load();
    EXPECT_FALSE(std::filesystem::exists(path)) << "reading never writes";
    ASSERT_TRUE(missing.Set("texture", "linear"));
    EXPECT_TRUE(missing.Values().linearTexture);

    ASSERT_TRUE(WriteTextFileAtomically(path, "texture = linear\nwobble\n", error)) << error.message;
    ConfigFile file(path);
    file.Load();
    EXPECT_EQ(file.TakeNotices(), std::vector<std::string>{"Settings: line 2 is ignored"});
    EXPECT_EQ(ReadText(path), "texture = linear\nwobble\n") << "a file with a bad line is left alone";
    ASSERT_TRUE(file.Set("texture", "nearest"));
    EXPECT_EQ(ReadText(path), "texture = nearest\nwobble\n");
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path())) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"velmoor.conf", "velmoor.conf.lock"})) << "no temporary file is left behind";
}

TEST(SettingsFile, CommandLineTakesTheSameValuesForOneRun)
{
    const char* good[] = {"velmoor", "--msaa", "8", "--music-volume", "0", "--sound-volume", "100"};
    CommandLine options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(std::size(good), good, options, error)) << error;
    EXPECT_TRUE(options.msaa == 8 && options.musicVolume == 0 && options.soundVolume == 100 && !options.fps);
    for (const auto& [option, value] : std::vector<std::pair<const char*, const char*>>{
             {"--fps", "-1"}, {"--msaa", "3"}, {"--music-volume", "101"}, {"--sound-volume", "loud"}}) {
        const char* bad[] = {"velmoor", option, value};
        EXPECT_FALSE(ParseCommandLine(3, bad, options, error)) << option << " " << value;
        EXPECT_NE(error.find(option), std::string::npos) << error;
    }
}
