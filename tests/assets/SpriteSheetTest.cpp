#include <gtest/gtest.h>

#include <algorithm>
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

    // How many pixels of a place pass the test.
    template <class Test>
    int CountIn(const Place& place, Test test) const
    {
        int count = 0;
        for (int y = place.y; y < place.y + place.height; ++y) {
            for (int x = place.x; x < place.x + place.width; ++x) count += test(dds.At(x, y));
        }
        return count;
    }

    // The mean colour of the opaque pixels in the lower half of a place.
    Colour AverageLowerColour(const Place& place) const
    {
        return MeanColour(dds, place.x, place.y + place.height / 2, place.x + place.width, place.y + place.height);
    }

    std::vector<uint8_t> bytes;
    platform::DecodedImage dds;
};

TEST_F(SpriteSheet, IsAnUncompressed256By256ArgbTextureWithOneLevel)
{
    ASSERT_EQ(bytes.size(), 128u + 256u * 256u * 4u);
    EXPECT_EQ(dds.width, 256);
    EXPECT_EQ(dds.height, 256);
    EXPECT_LE(Le32(bytes, 28), 1u);   // mip levels
}

// Linear filtering and mip levels mix a transparent pixel's colour into the edge next to it,
// so transparent pixels must carry their visible neighbours' colour, never black.
TEST_F(SpriteSheet, EveryPictureHasSubstantialOpaqueContentAndNoBlackTransparency)
{
    for (const Place& place : AllPlaces()) {
        SCOPED_TRACE(place.what);
        EXPECT_GE(CountIn(place, [](uint32_t p) { return Alpha(p) >= 128; }), place.width * place.height / 10);
        EXPECT_EQ(CountIn(place, [](uint32_t p) { return p == 0; }), 0);
    }
}

TEST_F(SpriteSheet, EveryAnimationFrameDiffersFromTheOthers)
{
    for (const auto& frames : animations) {
        for (size_t a = 0; a < frames.size(); ++a) {
            const Place& first = frames[a];
            const Place& second = frames[(a + 1) % frames.size()];   // of three frames: every pair
            int differing = 0;
            for (int y = 0; y < first.height; ++y) {
                for (int x = 0; x < first.width; ++x) {
                    const uint32_t pa = dds.At(first.x + x, first.y + y), pb = dds.At(second.x + x, second.y + y);
                    differing += (Alpha(pa) | Alpha(pb)) != 0 && pa != pb;
                }
            }
            EXPECT_GE(differing, first.width * first.height / 100) << first.what << ": frame " << a << " barely differs";
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

// The refills wear the colours of their HUD bars: TIME blue, LIFE green, MANA red.
TEST_F(SpriteSheet, RefillFlasksMatchTheirBarColours)
{
    const auto time = AverageLowerColour({"TIME", 160, 192, 32, 32});
    const auto life = AverageLowerColour({"LIFE", 192, 192, 32, 32});
    const auto mana = AverageLowerColour({"MANA", 224, 192, 32, 32});
    EXPECT_GT(time.b, time.r + 30) << "TIME flask is not blue";
    EXPECT_GT(time.b, time.g);
    EXPECT_GT(life.g, life.r + 30) << "LIFE flask is not green";
    EXPECT_GT(life.g, life.b + 30);
    EXPECT_GT(mana.r, mana.g + 30) << "MANA flask is not red";
    EXPECT_GT(mana.r, mana.b + 30);
}

}  // namespace
