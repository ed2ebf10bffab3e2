// One recorded game drawn for real (offscreen, by the software rasterizer), with a picture of
// every screen it passes: the pictures must be written and must show something.
#include "GameTrace.h"

#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <set>

namespace {

struct Shot {
    const char* name;
    uint64_t frame;
    int state;   // the scene the frame must fall in
};

// 0xRRGGBB pixels, empty when the file cannot be read.
std::vector<uint32_t> Load(const std::string& path, int& width, int& height)
{
    std::vector<uint32_t> pixels;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (!data) return pixels;
    for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
        pixels.push_back(static_cast<uint32_t>(data[3 * i] << 16 | data[3 * i + 1] << 8 | data[3 * i + 2]));
    }
    stbi_image_free(data);
    return pixels;
}

}  // namespace

TEST(Screenshots, EveryScreenOfARecordedGameIsDrawn)
{
    // Frames of lose-by-life.replay; the trace of the same run shows the scene of each. The
    // game-over screen shows its cause until the press on frame 1520, then the record and rank
    // until the press on 1560; the stage clear counts TIME up from its 115th frame.
    const std::vector<Shot> shots = {
        {"title", 21, 5}, {"stage-start", 92, 10}, {"play", 138, 20}, {"time-bonus", 636, 30},
        {"game-over-cause", 1517, 41}, {"record-and-rank", 1557, 41}, {"title-again", 1582, 5},
    };
    std::string arguments = "--headless --timedemo --no-sound --trace - --frames 1583 --replay " + ReplayPath("lose-by-life.replay");
    for (const Shot& shot : shots) arguments += " --screenshot " + std::to_string(shot.frame) + ":" + shot.name + ".png";
    const GameOutput run = RunGame(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<TraceLine> trace = ParseTrace(run.out);
    ASSERT_EQ(trace.size(), 1583u);

    std::vector<std::vector<uint32_t>> pictures;
    for (const Shot& shot : shots) {
        EXPECT_EQ(trace[shot.frame].state, shot.state) << shot.name << ": the replay plays differently";
        int width = 0, height = 0;
        pictures.push_back(Load((TestHome() / (std::string(shot.name) + ".png")).string(), width, height));
        EXPECT_EQ(width, 640) << shot.name;
        EXPECT_EQ(height, 480) << shot.name;
        EXPECT_GE(std::set<uint32_t>(pictures.back().begin(), pictures.back().end()).size(), 16u)
            << shot.name << " is (nearly) blank";
    }
    EXPECT_NE(pictures[1], pictures[2]) << "the stage start shows its caption over the play";
    EXPECT_NE(pictures[4], pictures[5]) << "the cause and the rank are different texts";
}
