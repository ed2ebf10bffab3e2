#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "AssetReaders.h"
#include "TestPaths.h"

namespace {

struct Place {
    const char* what;
    int x, y, width, height;  // sheet pixels
};

// Every picture the game cuts from the sheet, and the frames of every animation.
const std::vector<std::vector<Place>> animations = {
    {{"enemy 1", 0, 0, 48, 48}, {"enemy 1", 48, 0, 48, 48}, {"enemy 1", 96, 0, 48, 48}},
    {{"enemy 2", 0, 48, 48, 48}, {"enemy 2", 48, 48, 48, 48}, {"enemy 2", 96, 48, 48, 48}},
    {{"enemy 3", 0, 96, 48, 48}, {"enemy 3", 48, 96, 48, 48}, {"enemy 3", 96, 96, 48, 48}},
    {{"enemy 4", 0, 144, 48, 48}, {"enemy 4", 48, 144, 48, 48}, {"enemy 4", 96, 144, 48, 48}},
    {{"exit", 0, 192, 48, 48}, {"exit", 48, 192, 48, 48}, {"exit", 96, 192, 48, 48}},
    {{"left mage", 144, 0, 48, 48}, {"left mage", 144, 48, 48, 48}, {"left mage", 144, 96, 48, 48}},
    {{"right mage", 192, 0, 48, 48}, {"right mage", 192, 48, 48, 48}, {"right mage", 192, 96, 48, 48}},
    {{"smoke", 240, 16, 16, 16}, {"smoke", 240, 32, 16, 16}, {"smoke", 240, 48, 16, 16}},
};

const std::vector<Place> stills = {
    {"key", 160, 160, 32, 32},          {"map", 192, 160, 32, 32},      {"slow time", 224, 160, 32, 32},
    {"TIME refill", 160, 192, 32, 32},  {"LIFE refill", 192, 192, 32, 32}, {"MANA refill", 224, 192, 32, 32},
    {"cloak", 160, 224, 32, 32},        {"swift feet", 192, 224, 32, 32}, {"free magic", 224, 224, 32, 32},
    {"magic shot", 240, 0, 16, 16},     {"puff", 240, 64, 16, 16},      {"item ring", 240, 80, 16, 16},
    {"title banner", 144, 144, 112, 16}, {"stage clear banner", 0, 240, 160, 16},
};

std::vector<Place> AllPlaces()
{
    std::vector<Place> places = stills;
    for (const auto& frames : animations) places.insert(places.end(), frames.begin(), frames.end());
    return places;
}

bool Inside(const Place& place, int x, int y)
{
    return x >= place.x && y >= place.y && x < place.x + place.width && y < place.y + place.height;
}

class SpriteSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes = ReadFileBytes(SheetFile());
        ASSERT_TRUE(platform::DecodeDds(bytes, dds)) << SheetFile() << " does not decode";
    }

    int OpaqueCount(const Place& place) const
    {
        int count = 0;
        for (int y = place.y; y < place.y + place.height; ++y) {
            for (int x = place.x; x < place.x + place.width; ++x) count += Alpha(dds.At(x, y)) >= 128;
        }
        return count;
    }

    // Average red, green and blue of the clearly opaque pixels in the lower part of a place.
    std::array<double, 3> AverageLowerColour(const Place& place) const
    {
        std::array<double, 3> sum{};
        int count = 0;
        for (int y = place.y + place.height / 2; y < place.y + place.height; ++y) {
            for (int x = place.x; x < place.x + place.width; ++x) {
                const uint32_t p = dds.At(x, y);
                if (Alpha(p) < 255) continue;
                sum[0] += (p >> 16) & 0xff;
                sum[1] += (p >> 8) & 0xff;
                sum[2] += p & 0xff;
                ++count;
            }
        }
        for (double& channel : sum) channel /= std::max(count, 1);
        return sum;
    }

    std::vector<uint8_t> bytes;
    platform::DecodedImage dds;
};

TEST_F(SpriteSheet, IsAnUncompressed256By256ArgbTextureWithOneLevel)
{
    ASSERT_EQ(bytes.size(), 128u + 256u * 256u * 4u);
    // height, width, pitch, pixel format flags (RGB with alpha), no four-character code, 32 bits, masks
    const std::pair<size_t, uint32_t> fields[] = {{12, 256}, {16, 256}, {20, 1024}, {80, 0x41}, {84, 0}, {88, 32},
        {92, 0x00ff0000}, {96, 0x0000ff00}, {100, 0x000000ff}, {104, 0xff000000}};
    for (const auto& [offset, value] : fields) EXPECT_EQ(Le32(bytes, offset), value) << "offset " << offset;
    EXPECT_EQ(Le32(bytes, 8) & 0x100f, 0x100fu);   // caps, height, width, pitch, pixel format
    EXPECT_LE(Le32(bytes, 28), 1u);                // mip levels
    EXPECT_TRUE(Le32(bytes, 108) & 0x1000);
}

TEST_F(SpriteSheet, EveryPictureHasSubstantialOpaqueContent)
{
    for (const Place& place : AllPlaces()) {
        const int area = place.width * place.height;
        EXPECT_GE(OpaqueCount(place), area / 10) << place.what << " at " << place.x << "," << place.y;
    }
}

TEST_F(SpriteSheet, EveryAnimationFrameDiffersFromTheOthers)
{
    for (const auto& frames : animations) {
        for (size_t a = 0; a < frames.size(); ++a) {
            for (size_t b = a + 1; b < frames.size(); ++b) {
                int differing = 0;
                for (int y = 0; y < frames[a].height; ++y) {
                    for (int x = 0; x < frames[a].width; ++x) {
                        const uint32_t pa = dds.At(frames[a].x + x, frames[a].y + y);
                        const uint32_t pb = dds.At(frames[b].x + x, frames[b].y + y);
                        if (Alpha(pa) == 0 && Alpha(pb) == 0) continue;
                        differing += pa != pb;
                    }
                }
                EXPECT_GE(differing, frames[a].width * frames[a].height / 100)
                    << frames[a].what << ": frames " << a << " and " << b << " barely differ";
            }
        }
    }
}

TEST_F(SpriteSheet, EverythingOutsideThePicturesIsFullyTransparent)
{
    const std::vector<Place> places = AllPlaces();
    int strays = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool used = std::any_of(places.begin(), places.end(), [&](const Place& p) { return Inside(p, x, y); });
            if (!used && Alpha(dds.At(x, y)) != 0) ++strays;
        }
    }
    EXPECT_EQ(strays, 0);
}

// Linear filtering and mip levels mix a transparent pixel's colour into the edge next to it,
// so transparent pixels must carry their visible neighbours' colour, never black.
TEST_F(SpriteSheet, TransparentPixelsCarryTheColourOfTheirVisibleNeighbours)
{
    for (const Place& place : AllPlaces()) {
        int blackHoles = 0;
        int mismatches = 0;
        for (int y = place.y; y < place.y + place.height; ++y) {
            for (int x = place.x; x < place.x + place.width; ++x) {
                const uint32_t pixel = dds.At(x, y);
                if (Alpha(pixel) != 0) continue;
                blackHoles += (pixel & 0xffffff) == 0;
                int sum[3] = {0, 0, 0};
                int count = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        if (!Inside(place, x + dx, y + dy)) continue;
                        const uint32_t next = dds.At(x + dx, y + dy);
                        if (Alpha(next) == 0) continue;
                        sum[0] += (next >> 16) & 0xff;
                        sum[1] += (next >> 8) & 0xff;
                        sum[2] += next & 0xff;
                        ++count;
                    }
                }
                if (count == 0) continue;
                for (int c = 0; c < 3; ++c) {
                    const int own = (pixel >> (16 - 8 * c)) & 0xff;
                    if (std::abs(own - sum[c] / count) > 2) {
                        ++mismatches;
                        break;
                    }
                }
            }
        }
        EXPECT_EQ(blackHoles, 0) << place.what;
        EXPECT_EQ(mismatches, 0) << place.what;
    }
}

// The refills wear the colours of their HUD bars: TIME blue, LIFE green, MANA red.
TEST_F(SpriteSheet, RefillFlasksMatchTheirBarColours)
{
    const auto time = AverageLowerColour({"TIME", 160, 192, 32, 32});
    const auto life = AverageLowerColour({"LIFE", 192, 192, 32, 32});
    const auto mana = AverageLowerColour({"MANA", 224, 192, 32, 32});
    EXPECT_GT(time[2], time[0] + 30) << "TIME flask is not blue";
    EXPECT_GT(time[2], time[1]);
    EXPECT_GT(life[1], life[0] + 30) << "LIFE flask is not green";
    EXPECT_GT(life[1], life[2] + 30);
    EXPECT_GT(mana[0], mana[1] + 30) << "MANA flask is not red";
    EXPECT_GT(mana[0], mana[2] + 30);
}

}  // namespace
