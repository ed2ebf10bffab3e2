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
    EXPECT_EQ(n[0].length, 96u);
    EXPECT_EQ(n[1].tick, 96u);   // the chord: two notes at one tick
    EXPECT_EQ(n[2].tick, 96u);
    EXPECT_EQ(n[2].length, 72u);
    EXPECT_EQ(n[3].tick, 168u);
    EXPECT_EQ(n[3].length, 24u);
    EXPECT_EQ(n[4].key, 67);
    EXPECT_EQ(n[4].length, 96u + 48u) << "the tie makes one long g4";
    EXPECT_EQ(n[5].key, 69);
    EXPECT_EQ(n[5].velocity, 80 + 18);
    EXPECT_EQ(n[0].velocity, 80);
    EXPECT_EQ(n[6].tick, 384u);
    EXPECT_EQ(n[7].tick, 384u + 32u) << "three triplet eighths to a quarter";
    EXPECT_EQ(song.length, 768u);
}

TEST(ScoreNotation, MistakesAreReportedWithTheirLine)
{
    EXPECT_NE(ParseError("phrase p\n  c4/4 c4 c4\nend\ntrack T\n play p\nend\n").find("test.score:5: a bar holds 288 ticks"), std::string::npos);
    EXPECT_NE(ParseError("phrase p\n  c4/1 | x4/1\nend\n").find("not a note: 'x4'"), std::string::npos);
    EXPECT_NE(ParseError("groove g\n  kick x.x.\nend\n").find("4 steps instead of 16"), std::string::npos);
    EXPECT_NE(ParseError("groove g\n  bongo x...............\nend\n").find("unknown drum"), std::string::npos);
    EXPECT_NE(ParseError("track T\n  play nothing\nend\n").find("no phrase or groove called 'nothing'"), std::string::npos);
    EXPECT_NE(ParseError("phrase a\n c4/1\nend\nphrase b\n c4/1 | c4/1\nend\n"
                         "track A\n play a\nend\ntrack B\n play b\nend\n").find("track 'B' lasts 768 ticks"), std::string::npos)
        << "tracks of different lengths would drift apart at the loop";
}

TEST(MidiFile, TheWrittenFileReadsBackAsTheScore)
{
    // A long rest makes a delta time that needs several bytes.
    const Song song = Parse(
        "phrase p\n  c4/8 e4/8 r/4 r/2\n  r/1\n  r/1\n  g4/1\nend\n"
        "track Lead\n  channel 3\n  program 81\n  gate 0.5\n  play p*40\nend\n");
    const ReadSong read = ReadMidi(WriteMidi(song));
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.format, 1);
    EXPECT_EQ(read.division, 96);
    EXPECT_EQ(read.microsPerQuarter, 500000u);
    ASSERT_EQ(read.tracks.size(), 2u);
    const ReadTrack& lead = read.tracks[1];
    EXPECT_EQ(lead.programs, std::vector<uint8_t>{80});
    ASSERT_EQ(lead.notes.size(), song.tracks[0].notes.size());
    for (size_t i = 0; i < lead.notes.size(); ++i) {
        const ScoreNote& want = song.tracks[0].notes[i];
        EXPECT_EQ(lead.notes[i].on, want.tick);
        EXPECT_EQ(lead.notes[i].off, want.tick + want.length / 2) << "the gate halves every note";
        EXPECT_EQ(lead.notes[i].channel, 2);
        EXPECT_EQ(lead.notes[i].key, want.key);
    }
    EXPECT_EQ(lead.endTick, song.length);
    EXPECT_EQ(read.tracks[0].endTick, song.length);
}

SoundRecipe OneLayer(Layer layer)
{
    SoundRecipe recipe;
    recipe.rate = 8000;
    recipe.length = 0.25;
    recipe.peak = 0.5;
    recipe.layers.push_back(layer);
    return recipe;
}

TEST(EffectSynthesis, SoundsAreNormalisedFadedAndRepeatable)
{
    Layer square;
    square.waveform = Waveform::Square;
    square.frequency = {{440.0}, true};
    square.attack = 0.0;
    square.hold = 1.0;   // full level to the very end: only the fades can silence the edges
    const std::vector<int16_t> samples = RenderSound(OneLayer(square));
    ASSERT_EQ(samples.size(), 2000u);
    EXPECT_EQ(samples.front(), 0);
    EXPECT_EQ(samples.back(), 0);
    int loudest = 0;
    for (const int16_t s : samples) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
    EXPECT_EQ(loudest, static_cast<int>(std::lround(0.5 * 32767)));
    EXPECT_EQ(samples, RenderSound(OneLayer(square)));
}

}  // namespace
