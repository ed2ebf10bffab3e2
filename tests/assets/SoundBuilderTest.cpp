// What the built run.mid and effects cannot show about the sound builder: the lengths and
// pitches the score notation means, and how it answers a broken source.
#include "MidiReading.h"
#include "MidiWriter.h"
#include "Score.h"
#include "SoundRecipe.h"

#include <gtest/gtest.h>

namespace {

const char* const Header = "tempo 120\nmeter 4/4\ndivision 96\n";

// The message a broken source is refused with ("" when it is accepted).
std::string ErrorOf(const std::string& name, const std::string& text)
{
    try {
        SourceText source(name, text);
        if (name.ends_with(".score")) ParseScore(source);
        else ParseRecipes(source);
    } catch (const SourceError& error) {
        return error.what();
    }
    return "";
}

// Dotted, tied, triplet and accented notes, a chord, sharps and flats across octaves, written
// as MIDI and read back by a reader of our own: every note starts, ends (the gate halves it)
// and sounds as the score means.
TEST(ScoreNotation, NotesReachTheMidiFileWithTheirTicksLengthsAndPitches)
{
    SourceText source("test.score", std::string(Header) +
        "phrase p\n"
        "  v80 c4/4 b3+f#4/8. eb4/16 g4/4~ g4/8 a4>\n"
        "  c5/8t c#5 bb1 r/4 r/2\n"
        "end\n"
        "track Lead\n  channel 3\n  program 81\n  gate 0.5\n  play p\nend\n");
    const std::vector<uint8_t> bytes = WriteMidi(ParseScore(source));
    EXPECT_FALSE(ReadMidi({bytes.begin(), bytes.end() - 1}).ok) << "the reader notices a cut file";
    const ReadSong read = ReadMidi(bytes);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.format, 1);
    EXPECT_EQ(read.division, 96);
    ASSERT_EQ(read.tracks.size(), 2u);
    for (const MidiTrack& track : read.tracks) EXPECT_EQ(track.endTick, 768u) << "two bars";

    const struct { uint32_t tick, length; int key, velocity; } notes[] = {
        {0, 96, 60, 80}, {96, 72, 59, 80}, {96, 72, 66, 80}, {168, 24, 63, 80}, {192, 144, 67, 80},
        {336, 48, 69, 98}, {384, 32, 72, 80}, {416, 32, 73, 80}, {448, 32, 34, 80}};
    std::vector<MidiEvent> ons, offs;
    int programs = 0;
    for (const MidiEvent& e : read.tracks[1].events) {
        programs += e.status == 0xc2 && e.data1 == 80;
        if (e.status == 0x92) ons.push_back(e);
        if (e.status == 0x82) offs.push_back(e);
    }
    EXPECT_EQ(programs, 1);
    ASSERT_EQ(ons.size(), std::size(notes));
    ASSERT_EQ(offs.size(), std::size(notes));
    for (size_t i = 0; i < std::size(notes); ++i) {
        EXPECT_EQ(ons[i].tick, notes[i].tick) << i;
        EXPECT_EQ(offs[i].tick, notes[i].tick + notes[i].length / 2) << i;
        EXPECT_EQ(ons[i].data1, notes[i].key) << i;
        EXPECT_EQ(offs[i].data1, notes[i].key) << i;
        EXPECT_EQ(ons[i].data2, notes[i].velocity) << i;
    }
}

TEST(SoundSources, MistakesAreReportedWithTheirLine)
{
    const std::string phrase = std::string(Header) + "phrase p\n";
    const std::pair<std::string, const char*> mistakes[] = {
        {phrase + "  c4/4 c4 c4\nend\ntrack T\n play p\nend\n", "test.score:5: a bar holds 288 ticks"},
        {phrase + "  c4/1 | h4/1\nend\n", "test.score:5: not a note: 'h4'"},
        {std::string(Header) + "groove g\n  kick x.x.\nend\n", "test.score:5: a groove bar has 4 steps instead of 16"},
        {std::string(Header) + "groove g\n  bongo x...............\nend\n", "unknown drum"},
        {std::string(Header) + "track T\n  play nothing\nend\n", "test.score:5: no phrase or groove called 'nothing'"},
        // Tracks of different lengths would drift apart at the loop.
        {phrase + " c4/1\nend\nphrase b\n c4/1 | c4/1\nend\ntrack A\n play p\nend\ntrack B\n play b\nend\n",
         "track 'B' lasts 768 ticks"},
        {"sound a.wav\n  rate 8000\n  length 3\n  layer sine freq 440\nend\n", "test.sfx:5: a.wav: length must be 0.1"},
        {"sound a.wav\n  length 0.5\n  layer wobble\nend\n", "test.sfx:3: unknown waveform 'wobble'"},
        {"sound a.wav\n  layer sine freq 0..440\nend\n", "test.sfx:2: frequencies must be above zero"},
        {"sound a.wav\n  layer sine\n", "test.sfx:1: a.wav has no 'end'"}};
    for (const auto& [text, said] : mistakes) {
        const std::string name = text.starts_with("sound") ? "test.sfx" : "test.score";
        EXPECT_NE(ErrorOf(name, text).find(said), std::string::npos) << ErrorOf(name, text);
    }
}

}  // namespace
