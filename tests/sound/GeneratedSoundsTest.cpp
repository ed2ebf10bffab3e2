// The sound files the build made from assets/sound/ (they sit in the build folder, the tests'
// working folder).
#include "EffectSynth.h"
#include "MidiReading.h"
#include "MidiWriter.h"
#include "Score.h"
#include "SoundRecipe.h"
#include "SoundTestFiles.h"
#include "WaveWriter.h"
#include "shell/DataFiles.h"
#include "sound/WaveFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

const std::string SoundSources = std::string(VELMOOR_TEST_SOURCE_DIR) + "/../assets/sound/";

struct Expected {
    const char* file;
    uint32_t rate;
};

TEST(GeneratedSounds, EveryEffectLoadsWithTheGamesReaderAndIsClean)
{
    const Expected sounds[] = {{"bomb.wav", 44100}, {"kemu.wav", 44100}, {"HitD@22.wav", 22050}, {"get.wav", 44100}, {"WindD@11.wav", 11025}};
    for (const Expected& sound : sounds) {
        SCOPED_TRACE(sound.file);
        const std::vector<uint8_t> bytes = ReadBytes(FindDataFile(sound.file));
        WaveFile wave;
        ASSERT_TRUE(wave.Parse(bytes.data(), bytes.size()));
        EXPECT_EQ(wave.SamplesPerSecond(), sound.rate);
        const double seconds = static_cast<double>(wave.FrameCount()) / wave.SamplesPerSecond();
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 1.5);

        const std::vector<int16_t> samples = wave.ToStereo16(wave.SamplesPerSecond());
        int loudest = 0;
        for (const int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        EXPECT_GT(loudest, 16000) << "clearly audible";
        // No click: the sound rises from silence and returns to it.
        EXPECT_LE(std::abs(samples.front()), 64);
        EXPECT_LE(std::abs(samples.back()), 64);
        int firstJump = 0;
        for (size_t i = 2; i < std::min<size_t>(samples.size(), 64); i += 2) firstJump = std::max(firstJump, std::abs(samples[i] - samples[i - 2]));
        EXPECT_LT(firstJump, 12000);
    }
}

TEST(GeneratedSounds, TheBuildIsReproducibleFromTheSources)
{
    const std::string recipesPath = SoundSources + "effects.sfx";
    SourceText recipes(recipesPath, ReadTextFile(recipesPath));
    const std::vector<SoundRecipe> all = ParseRecipes(recipes);
    ASSERT_EQ(all.size(), 5u);
    for (const SoundRecipe& recipe : all) {
        EXPECT_EQ(WriteWave(RenderSound(recipe), static_cast<uint32_t>(recipe.rate)), ReadBytes(FindDataFile(recipe.file))) << recipe.file;
    }
    const std::string scorePath = SoundSources + "run.score";
    SourceText score(scorePath, ReadTextFile(scorePath));
    EXPECT_EQ(WriteMidi(ParseScore(score)), ReadBytes(FindDataFile("run.mid")));
}

TEST(GeneratedSounds, TheMusicIsAFormatOneFileOfSeveralTracksThatEndsTogether)
{
    const ReadSong song = ReadMidi(ReadBytes(FindDataFile("run.mid")));
    ASSERT_EQ(song.error, "");
    EXPECT_EQ(song.format, 1);
    ASSERT_GE(song.tracks.size(), 5u) << "conductor, melody, harmony, bass, drums";

    std::set<int> channels;
    const uint32_t end = song.tracks[0].endTick;
    for (const ReadTrack& track : song.tracks) {
        EXPECT_TRUE(track.ended);
        EXPECT_EQ(track.endTick, end) << "every track reaches the loop point together";
        EXPECT_EQ(track.openNotes, 0) << "no note hangs over the loop point";
        for (const ReadNote& note : track.notes) {
            channels.insert(note.channel);
            EXPECT_LE(note.off, end);
        }
    }
    EXPECT_TRUE(channels.count(9)) << "drums on channel 10";
    EXPECT_GE(channels.size(), 4u);
    EXPECT_GE(song.Seconds(end), 45.0);
}

}  // namespace
