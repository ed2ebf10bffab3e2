// The builder's score notation and synthesis rules.
#include "EffectSynth.h"
#include "MidiReading.h"
#include "MidiWriter.h"
#include "Score.h"
#include "SoundRecipe.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const char* const Header = "tempo 120\nmeter 4/4\ndivision 96\n";

Song Parse(const std::string& text)
{
    SourceText source("test.score", Header + text);
    return ParseScore(source);
}

std::string ParseError(const std::string& text)
{
    try {
        Parse(text);
    } catch (const SourceError& error) {
        return error.what();
    }
    return "";
}

TEST(ScoreNotation, PitchNames)
{
    const std::pair<const char*, int> pitches[] = {{"c4", 60}, {"a4", 69}, {"c#4", 61}, {"bb1", 34}, {"b3", 59},
                                                   {"h4", -1}, {"c", -1}, {"c#", -1}, {"c44", -1}};
    for (const auto& [name, key] : pitches) EXPECT_EQ(ParsePitch(name), key) << name;
}

TEST(ScoreNotation, LengthsChordsTiesAndAccents)
{
    const Song song = Parse(
        "phrase p\n"
        "  v80 c4/4 d4+f4/8. e4/16 g4/4~ g4/8 a4>\n"
        "  c5/8t c5 c5 r/4 r/2\n"
        "end\n"
        "track T\n  play p\nend\n");
    ASSERT_EQ(song.tracks.size(), 1u);
    const std::vector<ScoreNote>& n = song.tracks[0].notes;
    ASSERT_EQ(n.size(), 9u);
    // The chord is two notes at one tick; the tie makes one long g4; three triplet eighths to a quarter.
    const struct { uint32_t tick, length; int key, velocity; } want[] = {
        {0, 96, 60, 80}, {96, 72, 62, 80}, {96, 72, 65, 80}, {168, 24, 64, 80}, {192, 144, 67, 80},
        {336, 48, 69, 98}, {384, 32, 72, 80}, {416, 32, 72, 80}, {448, 32, 72, 80}};
    for (size_t i = 0; i < n.size(); ++i) {
        EXPECT_EQ(n[i].tick, want[i].tick) << i;
        EXPECT_EQ(n[i].length, want[i].length) << i;
        EXPECT_EQ(n[i].key, want[i].key) << i;
        EXPECT_EQ(n[i].velocity, want[i].velocity) << i;
    }
    EXPECT_EQ(song.length, 768u);
}

TEST(ScoreNotation, MistakesAreReportedWithTheirLine)
{
    const std::pair<const char*, const char*> mistakes[] = {
        {"phrase p\n  c4/4 c4 c4\nend\ntrack T\n play p\nend\n", "test.score:5: a bar holds 288 ticks"},
        {"phrase p\n  c4/1 | x4/1\nend\n", "not a note: 'x4'"},
        {"groove g\n  kick x.x.\nend\n", "4 steps instead of 16"},
        {"groove g\n  bongo x...............\nend\n", "unknown drum"},
        {"track T\n  play nothing\nend\n", "no phrase or groove called 'nothing'"},
        // Tracks of different lengths would drift apart at the loop.
        {"phrase a\n c4/1\nend\nphrase b\n c4/1 | c4/1\nend\ntrack A\n play a\nend\ntrack B\n play b\nend\n",
         "track 'B' lasts 768 ticks"}};
    for (const auto& [text, said] : mistakes) EXPECT_NE(ParseError(text).find(said), std::string::npos) << said;
}

TEST(MidiFile, TheWrittenFileReadsBackAsTheScore)
{
    // A long rest makes a delta time that needs several bytes.
    const Song song = Parse(
        "phrase p\n  c4/8 e4/8 r/4 r/2\n  r/1\n  r/1\n  g4/1\nend\n"
        "track Lead\n  channel 3\n  program 81\n  gate 0.5\n  play p*40\nend\n");
    const std::vector<uint8_t> bytes = WriteMidi(song);
    EXPECT_FALSE(ReadMidi({bytes.begin(), bytes.end() - 1}).ok) << "the reader notices a cut file";
    const ReadSong read = ReadMidi(bytes);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.format, 1);
    EXPECT_EQ(read.division, 96);
    ASSERT_EQ(read.tracks.size(), 2u);
    std::vector<MidiEvent> ons, offs;
    int programs = 0;
    for (const MidiEvent& e : read.tracks[1].events) {
        programs += e.status == 0xc2 && e.data1 == 80;
        if (e.status == 0x92) ons.push_back(e);
        if (e.status == 0x82) offs.push_back(e);
    }
    EXPECT_EQ(programs, 1);
    const std::vector<ScoreNote>& notes = song.tracks[0].notes;
    ASSERT_EQ(ons.size(), notes.size());
    ASSERT_EQ(offs.size(), notes.size());
    for (size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(ons[i].tick, notes[i].tick);
        EXPECT_EQ(offs[i].tick, notes[i].tick + notes[i].length / 2) << "the gate halves every note";
        EXPECT_EQ(ons[i].data1, notes[i].key);
        EXPECT_EQ(offs[i].data1, notes[i].key);
    }
    for (const MidiTrack& track : read.tracks) EXPECT_EQ(track.endTick, song.length);
}

TEST(EffectSynthesis, SoundsAreNormalisedAndFaded)
{
    Layer square;
    square.waveform = Waveform::Square;
    square.frequency = {{440.0}, true};
    square.attack = 0.0;
    square.hold = 1.0;   // full level to the very end: only the fades can silence the edges
    SoundRecipe recipe;
    recipe.rate = 8000;
    recipe.length = 0.25;
    recipe.peak = 0.5;
    recipe.layers.push_back(square);
    const std::vector<int16_t> samples = RenderSound(recipe);
    ASSERT_EQ(samples.size(), 2000u);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    int loudest = 0;
    for (const int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    EXPECT_EQ(loudest, static_cast<int>(std::lround(0.5 * 32767)));
}

}  // namespace
