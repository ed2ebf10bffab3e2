// The sound files the build made from assets/sound/ (they sit in the build folder, the tests'
// working folder).
#include "core/DataFiles.h"
#include "EffectSynth.h"
#include "MidiWriter.h"
#include "Score.h"
#include "sound/WaveFile.h"
#include "SoundRecipe.h"
#include "TestFiles.h"
#include "WaveWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const std::string SoundSources = std::string(VELMOOR_TEST_SOURCE_DIR) + "/../assets/sound/";

TEST(GeneratedSounds, EveryEffectIsItsRecipeAndLoadsCleanlyWithTheGamesReader)
{
    const std::string recipesPath = SoundSources + "effects.sfx";
    SourceText source(recipesPath, ReadTextFile(recipesPath));
    const std::vector<SoundRecipe> recipes = ParseRecipes(source);
    const struct { std::string file; uint32_t rate; } sounds[] = {
        {"bomb.wav", 44100}, {"kemu.wav", 44100}, {"HitD@22.wav", 22050}, {"get.wav", 44100}, {"WindD@11.wav", 11025}};
    ASSERT_EQ(recipes.size(), std::size(sounds));
    for (const auto& [file, rate] : sounds) {
        SCOPED_TRACE(file);
        const auto recipe = std::find_if(recipes.begin(), recipes.end(), [&file = file](const SoundRecipe& r) { return r.file == file; });
        ASSERT_NE(recipe, recipes.end());
        const std::vector<uint8_t> bytes = ReadBytes(FindDataFile(file));
        EXPECT_EQ(WriteWave(RenderSound(*recipe), static_cast<uint32_t>(recipe->rate)), bytes) << "the build is reproducible";
        WaveFile wave;
        ASSERT_TRUE(wave.Parse(bytes.data(), bytes.size()));
        EXPECT_EQ(wave.SamplesPerSecond(), rate);
        const double seconds = static_cast<double>(wave.FrameCount()) / rate;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 1.5);
        const std::vector<int16_t> samples = wave.ToStereo16(rate);
        int loudest = 0;
        for (const int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        EXPECT_GT(loudest, 16000) << "clearly audible";
        // No click: the sound rises from silence and returns to it.
        EXPECT_LE(std::abs(samples.front()), 64);
        EXPECT_LE(std::abs(samples.back()), 64);
    }
}

// The writer's file layout and the score's equal track lengths are checked with the builder.
TEST(GeneratedSounds, TheMusicIsItsScore)
{
    const std::string scorePath = SoundSources + "run.score";
    SourceText score(scorePath, ReadTextFile(scorePath));
    EXPECT_EQ(WriteMidi(ParseScore(score)), ReadBytes(FindDataFile("run.mid")));
}

}  // namespace
