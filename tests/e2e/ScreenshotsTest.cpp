// One recorded game drawn for real (offscreen, by the software rasterizer), with a picture of
// every screen it passes: the pictures must be written and must show something.
#include "GameRun.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

struct Shot {
    std::string name;
    uint64_t frame;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // 0xRRGGBB
};

Picture Load(const std::string& path)
{
    Picture picture;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
    if (!data) return picture;
    const size_t count = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    for (size_t i = 0; i < count; ++i) {
        picture.pixels.push_back(static_cast<uint32_t>(data[3 * i] << 16 | data[3 * i + 1] << 8 | data[3 * i + 2]));
    }
    stbi_image_free(data);
    return picture;
}

size_t DistinctColours(const Picture& picture)
{
    return std::set<uint32_t>(picture.pixels.begin(), picture.pixels.end()).size();
}

const SceneRun& Nth(const std::vector<SceneRun>& runs, int state, int n)
{
    for (const SceneRun& run : runs) {
        if (run.state == state && n-- == 0) return run;
    }
    throw std::runtime_error("scene missing from the trace");
}

// The presses that end the game-over screen: the last two within it (earlier ones fall in
// its fade and do nothing).
std::vector<uint64_t> PressesWithin(const std::vector<uint64_t>& presses, const SceneRun& run)
{
    std::vector<uint64_t> within;
    for (uint64_t frame : presses) {
        if (frame >= run.first && frame <= run.last) within.push_back(frame);
    }
    return within;
}

}  // namespace

TEST(Screenshots, EveryScreenOfARecordedGameIsDrawn)
{
    const std::string replay = ReplayPath("lose-by-life.replay");
    const auto scenes = SceneRuns(ParseTrace(ReplayHeadless(replay, RecordedFrames(replay)).output));
    ASSERT_EQ(SceneSequence(scenes), (std::vector<int>{0, 5, 10, 20, 30, 10, 20, 41, 5, 10, 20}));

    const SceneRun& over = Nth(scenes, 41, 0);
    const auto presses = PressesWithin(SpacePresses(replay), over);
    ASSERT_GE(presses.size(), 2u);
    const uint64_t causeEnds = presses[presses.size() - 2];
    const uint64_t rankEnds = presses.back();
    ASSERT_GT(causeEnds, over.first + 49) << "the cause shows only after the 48 frames of fade";

    // The count-up of the stage clear starts after its 115 frames of fading and growing.
    const std::vector<Shot> shots = {
        {"title", Nth(scenes, 5, 0).first + 20},
        {"stage-start", Nth(scenes, 10, 0).first + 5},
        {"play", Nth(scenes, 20, 0).first + 40},
        {"time-bonus", Nth(scenes, 30, 0).first + 125},
        {"game-over-cause", causeEnds - 3},
        {"record-and-rank", rankEnds - 3},
        {"title-again", Nth(scenes, 5, 1).first + 20},
    };
    const std::filesystem::path folder = std::filesystem::path(VELMOOR_TEST_OUTPUT_DIR) / "e2e";
    std::filesystem::create_directories(folder);
    std::string arguments = "--headless --timedemo --no-sound --replay " + replay;
    uint64_t lastFrame = 0;
    for (const Shot& shot : shots) {
        const auto path = folder / (shot.name + ".png");
        std::filesystem::remove(path);
        arguments += " --screenshot " + std::to_string(shot.frame) + ":" + path.string();
        lastFrame = std::max(lastFrame, shot.frame);
    }
    const RunResult run = RunVelmoor(arguments + " --frames " + std::to_string(lastFrame + 1));
    ASSERT_EQ(run.exitCode, 0) << run.errors;

    std::vector<Picture> pictures;
    for (const Shot& shot : shots) {
        const Picture picture = Load((folder / (shot.name + ".png")).string());
        EXPECT_EQ(picture.width, 640) << shot.name;
        EXPECT_EQ(picture.height, 480) << shot.name;
        EXPECT_GE(DistinctColours(picture), 16u) << shot.name << " is (nearly) blank";
        pictures.push_back(picture);
    }
    // The cause and the rank are different texts on the same faded backdrop.
    EXPECT_NE(pictures[4].pixels, pictures[5].pixels);
    EXPECT_NE(pictures[1].pixels, pictures[2].pixels);
}
