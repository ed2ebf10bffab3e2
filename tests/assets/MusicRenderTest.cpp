// run.mid through the real synthesizer, offline: no sound card needed.
#include "core/ErrorReport.h"
#include "core/VirtualKeys.h"
#include "platform/audio/MusicSynth.h"
#include "sound/MidiPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

constexpr int Rate = 44100;
constexpr int Block = 512;

// The mono mix of up to `seconds`, cut short once `ends` counts an announced end.
std::vector<float> Render(platform::MusicSynth& synth, double seconds, const int& ends)
{
    std::vector<float> mono;
    std::vector<float> block(Block * 2);
    const int endsBefore = ends;
    while (mono.size() < static_cast<size_t>(seconds * Rate) && ends == endsBefore) {
        synth.Render(block.data(), Block);
        for (int i = 0; i < Block; ++i) mono.push_back(0.5f * (block[i * 2] + block[i * 2 + 1]));
    }
    return mono;
}

double Rms(const std::vector<float>& samples, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

TEST(MusicRender, RunMidPlaysToItsEndWithoutSilenceAndStartsOverFromTheTop)
{
    const std::vector<std::string> soundFonts = platform::SoundFontCandidates("");
    const auto soundFont = std::ranges::find_if(soundFonts, [](const std::string& p) { return std::filesystem::exists(p); });
    if (soundFont == soundFonts.end()) GTEST_SKIP() << "no General MIDI SoundFont installed: the music cannot be rendered";

    ResetErrorReportForTests();
    platform::MusicSynth synth(nullptr);
    ASSERT_TRUE(synth.LoadSoundFont(*soundFont));
    int ends = 0;
    synth.SetFinishedHandler([](void* count) { ++*static_cast<int*>(count); }, &ends);
    MidiPlayer player(&synth);
    player.Open("run.mid");
    player.Play();
    ASSERT_FALSE(FatalErrorRaised());

    const std::vector<float> first = Render(synth, 120.0, ends);
    const double seconds = static_cast<double>(first.size()) / Rate;
    ASSERT_EQ(ends, 1) << "the end was never announced";
    EXPECT_GE(seconds, 45.0);
    for (size_t second = 0; second + 1 <= static_cast<size_t>(seconds); ++second)
        EXPECT_GT(Rms(first, second * Rate, (second + 1) * Rate), 0.01) << "silent around second " << second;
    EXPECT_TRUE(synth.Finished());

    // The main loop hands the notification to the player, which starts the piece over.
    player.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);
    EXPECT_FALSE(synth.Finished());
    const std::vector<float> again = Render(synth, 6.0, ends);
    EXPECT_GT(Rms(again, 0, Rate / 4), 0.01) << "no gap at the loop point";
    // Past the old notes' tails, the second run is the first one over again.
    double difference = 0.0;
    for (size_t i = 2 * Rate; i < 6 * Rate; ++i) difference += std::fabs(first[i] - again[i]);
    EXPECT_LT(difference / (4 * Rate), 0.1 * Rms(first, 2 * Rate, 6 * Rate));
    EXPECT_EQ(ends, 1) << "one announcement per run";
}

}  // namespace
