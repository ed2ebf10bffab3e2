// The sound files the build made from assets/sound/ (they sit in the build folder, the tests'
// working folder), read back with the game's own reader.
#include "core/DataFiles.h"
#include "sound/WaveFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(GeneratedSounds, EveryEffectLoadsAtItsRateAndIsShortLoudAndClickFree)
{
    const struct { std::string file; uint32_t rate; } sounds[] = {
        {"bomb.wav", 44100}, {"kemu.wav", 44100}, {"HitD@22.wav", 22050}, {"get.wav", 44100}, {"WindD@11.wav", 11025}};
    for (const auto& [file, rate] : sounds) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = ReadBytes(FindDataFile(file));
        WaveFile wave;
        ASSERT_TRUE(wave.Parse(bytes.data(), bytes.size()));
        EXPECT_EQ(wave.SamplesPerSecond(), rate);
        const double seconds = static_cast<double>(wave.FrameCount()) / rate;
        EXPECT_TRUE(seconds >= 0.1 && seconds <= 1.5) << seconds << " s";
        const std::vector<int16_t> samples = wave.ToStereo16(rate);
        int loudest = 0;
        for (const int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        EXPECT_GT(loudest, 16000) << "clearly audible";
        // No click: the sound rises from silence and returns to it.
        EXPECT_LE(std::abs(samples.front()), 64);
        EXPECT_LE(std::abs(samples.back()), 64);
    }
}

}  // namespace
