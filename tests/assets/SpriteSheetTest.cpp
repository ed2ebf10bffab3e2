#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AssetReaders.h"
#include "TestFiles.h"
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

class SpriteSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes = ReadBytes(SheetFile());
        ASSERT_TRUE(platform::DecodeDds(bytes, sheet)) << SheetFile() << " does not decode";
        places = stills;
        for (const auto& frames : animations) places.insert(places.end(), frames.begin(), frames.end());
    }

    template <class Test>
    int CountIn(const Place& place, Test test) const
    {
        int count = 0;
        for (int y = place.y; y < place.y + place.height; ++y)
            for (int x = place.x; x < place.x + place.width; ++x) count += test(sheet.At(x, y));
        return count;
    }

    std::vector<uint8_t> bytes;
    platform::DecodedImage sheet;
    std::vector<Place> places;
};

// An uncompressed 256 by 256 ARGB texture of one level. Linear filtering mixes a transparent
// pixel's colour into the edge next to it, so transparent pixels must carry their visible
// neighbours' colour, never black.
TEST_F(SpriteSheet, EveryPictureHasSubstantialOpaqueContentAndNoBlackTransparency)
{
    ASSERT_EQ(bytes.size(), 128u + 256u * 256u * 4u);
    EXPECT_TRUE(sheet.width == 256 && sheet.height == 256);
    EXPECT_LE(Le32(bytes, 28), 1u);   // mip levels
    for (const Place& place : places) {
        const int opaque = CountIn(place, [](uint32_t p) { return Alpha(p) >= 128; });
        EXPECT_GE(opaque, place.width * place.height / 10) << place.what;
        EXPECT_EQ(CountIn(place, [](uint32_t p) { return p == 0; }), 0) << place.what;
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
                    const uint32_t pa = sheet.At(first.x + x, first.y + y), pb = sheet.At(second.x + x, second.y + y);
                    differing += (Alpha(pa) | Alpha(pb)) != 0 && pa != pb;
                }
            }
            EXPECT_GE(differing, first.width * first.height / 100) << first.what << ": frame " << a << " barely differs";
        }
    }
}

// The refills wear the colours of their HUD bars: TIME blue, LIFE green, MANA red.
TEST_F(SpriteSheet, RefillFlasksMatchTheirBarColours)
{
    const auto lowerHalf = [&](int x) { return MeanColour(sheet, x, 208, x + 32, 224); };
    const Colour time = lowerHalf(160), life = lowerHalf(192), mana = lowerHalf(224);
    EXPECT_TRUE(time.b > time.r + 30 && time.b > time.g) << "TIME flask is not blue";
    EXPECT_TRUE(life.g > life.r + 30 && life.g > life.b + 30) << "LIFE flask is not green";
    EXPECT_TRUE(mana.r > mana.g + 30 && mana.r > mana.b + 30) << "MANA flask is not red";
}

}  // namespace
