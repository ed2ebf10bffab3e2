// Broken data files beside the program and a machine without a display, a sound device or a
// SoundFont, and replay files that are not replays: the game plays on where it can, and where
// it cannot it ends with a message naming what is wrong and a failing exit code, never a crash.
#include "RunGame.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

// Drawn for real (offscreen), so a missing picture goes all the way to the renderer.
const std::string Headless = "--headless --timedemo --seed 11 --frames 40 --trace - ";
// A visible game on SDL's offscreen video: sound and music are on without any display.
const std::string Offscreen = "--windowed --no-render --timedemo --seed 3 --frames 40 --trace - ";
const std::vector<std::string> OffscreenVideo = {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy"};
// Space on frame 10 starts the music from the title, which opens run.mid (see FolderWithReplays).
const std::string StartMusic = "--replay start.replay ";

using Spoil = std::function<void(const fs::path& folder)>;

Spoil Overwrite(const std::string& file, size_t offset, const std::string& bytes)
{
    return [=](const fs::path& folder) {
        std::fstream(folder / file, std::ios::binary | std::ios::in | std::ios::out).seekp(offset).write(bytes.data(), bytes.size());
    };
}

Spoil CutInHalf(const std::string& file)
{
    return [=](const fs::path& folder) { fs::resize_file(folder / file, fs::file_size(folder / file) / 2); };
}

struct BadCase {
    const char* name;
    Spoil spoil;                          // what goes wrong in the game's folder
    std::string arguments;
    std::vector<std::string> environment;
    int exitCode;
    size_t frames;                        // traced before the run ends
    std::string errorLine;                // exactly one line of stderr holds this; "" for none
    std::string report;                   // ER_REPORT.TXT holds this; "" for no report check
};

void PrintTo(const BadCase& bad, std::ostream* out) { *out << bad.name; }

const BadCase Cases[] = {
    {"SheetMissing", [](const fs::path& folder) { fs::remove(folder / "parts.dds"); }, Headless, {}, 0, 40, "", ""},
    {"SheetHeaderHuge", Overwrite("parts.dds", 12, std::string("\xff\xff\x00\x00\xff\xff\x00\x00", 8)), Headless, {}, 0, 40, "", ""},
    {"SoundCorrupt", Overwrite("get.wav", 0, "JUNKJUNKJUNKJUNK"), Headless, {}, 1, 1, "get.wav", ""},
    {"MusicCorrupt", Overwrite("run.mid", 0, "JUNKJUNKJUNKJUNK"), Offscreen + StartMusic, OffscreenVideo, 1, 11, "run.mid", ""},
    {"MusicCut", CutInHalf("run.mid"), Offscreen + StartMusic, OffscreenVideo, 1, 11, "run.mid", ""},
    {"NoDisplay", nullptr, Offscreen, {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}, 1, 0, "no display", ""},
    {"NoSoundDevice", nullptr, Offscreen, {"SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=no-such-driver"}, 0, 40,
     "velmoor: no sound", "Result("},
    {"NoSoundFont", nullptr, Offscreen + StartMusic + "--soundfont /nonexistent/velmoor.sf2", OffscreenVideo, 0, 40,
     "/nonexistent/velmoor.sf2", ""},
    {"ReplayMalformed", nullptr, Headless + "--replay bad.replay", {}, 2, 0, "line 5", ""},
    {"ReplayMissing", nullptr, Headless + "--replay missing.replay", {}, 2, 0, "missing.replay", ""},
};

// The game's folder with the two replays the cases use.
fs::path FolderWithReplays(const std::string& name)
{
    const fs::path folder = GameFolder(name);
    WriteText(folder / "start.replay", "velmoor-replay 1\n10 down space\n11 up space\n");
    WriteText(folder / "bad.replay", "velmoor-replay 1\nseed 1\n# fine\n4 down space\nfive up space\n");
    return folder;
}

class BadDataAndEnvironment : public testing::TestWithParam<BadCase> {};

}  // namespace

TEST_P(BadDataAndEnvironment, IsAnsweredPlainly)
{
    const BadCase& bad = GetParam();
    const fs::path folder = FolderWithReplays(bad.name);
    if (bad.spoil) bad.spoil(folder);
    const GameOutput run = RunGame(bad.arguments, {.program = folder / "velmoor", .folder = folder, .environment = bad.environment});
    EXPECT_FALSE(run.Crashed()) << run.err;
    EXPECT_EQ(run.exitCode, bad.exitCode) << run.err;
    EXPECT_EQ(LinesStartingWith(run.out, "frame ").size(), bad.frames) << run.err;
    if (!bad.errorLine.empty()) {
        size_t lines = 0;
        for (const std::string& line : LinesStartingWith(run.err, "")) lines += line.find(bad.errorLine) != std::string::npos;
        EXPECT_EQ(lines, 1u) << run.err;
    }
    if (!bad.report.empty()) {
        EXPECT_NE(ReadText(folder / "ER_REPORT.TXT").find(bad.report), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDataAndEnvironment, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });
