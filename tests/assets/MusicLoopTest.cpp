// The web build's music: run.mid rendered as a loop by the game's own synthesizer (run-loop.wav,
// in the build folder), its Ogg Vorbis encoding (run.ogg) and the player that loops it.
#include "core/DataFiles.h"
#include "platform/audio/AudioOutput.h"
#include "platform/audio/LoopedVorbis.h"
#include "platform/audio/MusicSynth.h"
#include "sound/WaveFile.h"
#include "MusicLoop.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

using platform::LoopedVorbis;

constexpr int Rate = platform::AudioOutput::Rate;
constexpr size_t Seam = 4096;   // frames looked at on each side of the loop point
constexpr size_t Tail = 4416;   // the first 100 ms of a run, in whole synthesizer steps

std::vector<float> ToFloats(const std::vector<int16_t>& samples)
{
    std::vector<float> floats(samples.size());
    std::ranges::transform(samples, floats.begin(), [](int16_t s) { return static_cast<float>(s) / 32768.0f; });
    return floats;
}

// The rendered loop as the encoder was given it, interleaved stereo.
std::vector<int16_t> RenderedLoop()
{
    const std::vector<uint8_t> bytes = ReadBytes(FindDataFile("run-loop.wav"));
    WaveFile wave;
    if (!wave.Parse(bytes.data(), bytes.size()) || wave.Channels() != 2 || wave.SamplesPerSecond() != Rate) return {};
    return wave.ToStereo16(Rate);
}

bool OpenRecording(LoopedVorbis& loop)
{
    std::string reason;
    const bool opened = loop.Open(ReadBytes(FindDataFile("run.ogg")), reason);
    EXPECT_TRUE(opened) << reason;
    return opened;
}

// Pulls `frames` frames in blocks of `block`, as an output device would.
std::vector<float> Play(LoopedVorbis& loop, size_t frames, size_t block = 441)
{
    std::vector<float> out(frames * 2);
    for (size_t at = 0; at < frames; at += block) loop.Render(out.data() + at * 2, static_cast<int>(std::min(block, frames - at)));
    return out;
}

// Renders as the loop was rendered, a step at a time: the synthesizer starts notes at the start
// of the block it is asked for.
std::vector<float> Render(platform::MusicSynth& synth, size_t frames)
{
    std::vector<float> out(frames * 2);
    for (size_t at = 0; at < frames; at += MusicLoopStep) synth.Render(out.data() + at * 2, MusicLoopStep);
    return out;
}

std::vector<float> Slice(const std::vector<float>& stereo, size_t fromFrame, size_t toFrame)
{
    return {stereo.begin() + static_cast<std::ptrdiff_t>(fromFrame * 2), stereo.begin() + static_cast<std::ptrdiff_t>(toFrame * 2)};
}

// The difference's level against the reference's, shifting `actual` by `lag` frames.
double RelativeError(const std::vector<float>& actual, const std::vector<float>& reference, int lag = 0)
{
    double error = 0.0, signal = 0.0;
    const size_t margin = 64;
    for (size_t i = margin * 2; i + margin * 2 < reference.size(); ++i) {
        const double difference = actual[static_cast<size_t>(static_cast<std::ptrdiff_t>(i) + lag * 2)] - reference[i];
        error += difference * difference;
        signal += static_cast<double>(reference[i]) * reference[i];
    }
    return std::sqrt(error / signal);
}

// How far apart two sounds' levels are, 10 ms at a time, against the level of `reference`.
double LevelDifference(const std::vector<float>& sound, const std::vector<float>& reference)
{
    const size_t window = Rate / 100;
    const auto level = [window](const std::vector<float>& samples, size_t from) {
        double sum = 0.0;
        for (size_t i = from * 2; i < (from + window) * 2; ++i) sum += static_cast<double>(samples[i]) * samples[i];
        return std::sqrt(sum / static_cast<double>(window * 2));
    };
    double difference = 0.0, total = 0.0;
    for (size_t from = 0; from + window <= reference.size() / 2; from += window) {
        difference += std::fabs(level(sound, from) - level(reference, from));
        total += level(reference, from);
    }
    return difference / total;
}

bool AllSilent(const std::vector<float>& samples)
{
    return std::ranges::all_of(samples, [](float s) { return s == 0.0f; });
}

TEST(MusicLoop, TheRecordingDecodesToTheRenderedLengthAndFlowsFromItsLastFrameIntoItsFirst)
{
    const std::vector<float> rendered = ToFloats(RenderedLoop());
    ASSERT_FALSE(rendered.empty()) << "run-loop.wav is missing or not stereo at the output's rate";
    const size_t frames = rendered.size() / 2;
    LoopedVorbis loop;
    ASSERT_TRUE(OpenRecording(loop));
    EXPECT_EQ(loop.LoopFrames(), frames);

    loop.Start();
    const std::vector<float> played = Play(loop, frames + Seam);
    EXPECT_EQ(loop.Position(), Seam) << "a pass decodes to exactly the rendered frames, no priming or padding";
    // Vorbis keeps what is heard, not the waveform: at the build's quality about a fifth of the
    // waveform differs, most of it in the highest frequencies.
    EXPECT_LT(RelativeError(Slice(played, 0, frames), rendered), 0.3) << "the first pass is the rendered loop";
    EXPECT_TRUE(std::ranges::equal(Slice(played, frames, frames + Seam), Slice(played, 0, Seam)))
        << "every pass starts as the first did";

    // Around the loop point the player gives the rendered loop's end, then its start, with no
    // frame lost or doubled on either side: the error is least with no shift at all.
    const struct { std::vector<float> played, rendered; } sides[] = {
        {Slice(played, frames - Seam, frames), Slice(rendered, frames - Seam, frames)},
        {Slice(played, frames, frames + Seam), Slice(rendered, 0, Seam)}};
    for (const auto& side : sides) {
        const double aligned = RelativeError(side.played, side.rendered);
        EXPECT_LT(aligned, 0.3);
        for (const int lag : {-2, -1, 1, 2}) EXPECT_GT(RelativeError(side.played, side.rendered, lag), aligned) << "shifted by " << lag;
    }
}

TEST(MusicLoop, TheRenderedLoopIsTheSecondOfTwoRunsSoItBeginsUnderTheTailsOfItsEnd)
{
    const std::string soundFont = VELMOOR_MUSIC_SOUNDFONT;
    const std::vector<std::string> candidates = platform::SoundFontCandidates(soundFont);
    const auto font = std::ranges::find_if(candidates, [](const std::string& p) { return std::filesystem::exists(p); });
    if (font == candidates.end()) GTEST_SKIP() << "no General MIDI SoundFont installed: the music cannot be rendered";

    platform::MusicSynth synth(nullptr);
    ASSERT_TRUE(synth.LoadSoundFont(*font));
    const std::vector<uint8_t> song = ReadBytes(FindDataFile("run.mid"));
    const MusicLoop loop = RenderMusicLoop(synth, song, 600ull * Rate);
    ASSERT_GT(loop.frames, 0u);
    EXPECT_EQ(loop.frames, loop.firstRunFrames) << "the sequence's timing follows the samples rendered";
    EXPECT_EQ(ToSixteenBits(loop.stereo), RenderedLoop()) << "the build's run-loop.wav is this render";

    // The game starts the piece over as it ends, under the last notes' tails, and so does the
    // loop: its first moments are closer to the run that follows it than to the piece started in
    // silence. (Not sample for sample: the synthesizer's chorus and reverb sweep on with time,
    // so no two runs are quite alike.)
    synth.Rewind();
    synth.Start();
    const std::vector<float> next = Render(synth, Tail);
    platform::MusicSynth fresh(nullptr);
    ASSERT_TRUE(fresh.LoadSoundFont(*font));
    fresh.Open(song);
    fresh.Rewind();
    fresh.Start();
    const std::vector<float> first = Render(fresh, Tail);
    const std::vector<float> loopStart = Slice(loop.stereo, 0, Tail);
    EXPECT_LT(LevelDifference(loopStart, next), 0.5 * LevelDifference(first, next));
}

TEST(MusicLoop, VolumeScalesStopSilencesInPlaceAndRewindStartsFromTheTop)
{
    LoopedVorbis loop;
    ASSERT_TRUE(OpenRecording(loop));
    EXPECT_TRUE(AllSilent(Play(loop, 1000))) << "nothing before the first start";
    EXPECT_EQ(loop.Position(), 0u);

    loop.Start();
    const std::vector<float> full = Play(loop, 6000);
    EXPECT_FALSE(AllSilent(full));
    loop.Rewind();
    loop.SetGain(0.5f);
    const std::vector<float> half = Play(loop, 6000, 512);
    for (size_t i = 0; i < full.size(); ++i) ASSERT_EQ(half[i], full[i] * 0.5f) << "sample " << i;

    loop.SetGain(1.0f);
    loop.Stop();
    EXPECT_TRUE(AllSilent(Play(loop, 1000)));
    EXPECT_EQ(loop.Position(), 6000u) << "a stopped loop holds its place";
    loop.Start();
    const std::vector<float> resumed = Play(loop, 1000);
    EXPECT_EQ(loop.FramesSinceStart(), 1000u);

    LoopedVorbis reference;
    ASSERT_TRUE(OpenRecording(reference));
    reference.Start();
    EXPECT_EQ(resumed, Slice(Play(reference, 7000), 6000, 7000)) << "it plays on where it stopped";
}

TEST(MusicLoop, AFileThatIsNoStereoVorbisStreamAtTheOutputRateIsRefusedAndPlaysSilence)
{
    const std::vector<uint8_t> recording = ReadBytes(FindDataFile("run.ogg"));
    const std::vector<std::vector<uint8_t>> refused = {
        {},
        ReadBytes(FindDataFile("run-loop.wav")),
        {recording.begin(), recording.begin() + 3000},   // cut inside the stream's set-up
    };
    for (const std::vector<uint8_t>& bytes : refused) {
        LoopedVorbis loop;
        std::string reason;
        EXPECT_FALSE(loop.Open(bytes, reason));
        EXPECT_FALSE(reason.empty());
        loop.Start();
        EXPECT_FALSE(loop.Playing());
        EXPECT_TRUE(AllSilent(Play(loop, 100)));
    }
}

}  // namespace
