// run.mid through the real synthesizer, offline: no sound card needed.
#include "platform/AudioOutput.h"
#include "platform/MusicSynth.h"
#include "shell/Settings.h"
#include "sound/SoundBank.h"
#include "shell/ErrorReport.h"
#include "shell/VirtualKeys.h"
#include "sound/MidiPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

constexpr int Rate = 44100;
constexpr int Block = 512;

std::string InstalledSoundFont()
{
    for (const std::string& path : platform::SoundFontCandidates("")) {
        if (std::filesystem::exists(path)) return path;
    }
    return {};
}

// Renders `seconds` (or until `stopAtEnd` and the piece ends) and returns the mono mix.
std::vector<float> Render(platform::MusicSynth& synth, double seconds, const int* ends = nullptr)
{
    std::vector<float> mono;
    std::vector<float> block(Block * 2);
    const size_t wanted = static_cast<size_t>(seconds * Rate);
    while (mono.size() < wanted && !(ends && *ends > 0)) {
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

double Correlation(const std::vector<float>& a, const std::vector<float>& b, size_t from, size_t to)
{
    double ab = 0.0, aa = 0.0, bb = 0.0;
    for (size_t i = from; i < to; ++i) {
        ab += static_cast<double>(a[i]) * b[i];
        aa += static_cast<double>(a[i]) * a[i];
        bb += static_cast<double>(b[i]) * b[i];
    }
    return ab / std::sqrt(aa * bb);
}

TEST(MusicRender, RunMidPlaysToItsEndWithoutSilenceAndStartsOverFromTheTop)
{
    const std::string soundFont = InstalledSoundFont();
    if (soundFont.empty()) GTEST_SKIP() << "no General MIDI SoundFont installed: the music cannot be rendered here";

    ResetErrorReportForTests();
    platform::MusicSynth synth(nullptr);
    ASSERT_TRUE(synth.LoadSoundFont(soundFont));
    int ends = 0;
    synth.SetFinishedHandler([](void* count) { ++*static_cast<int*>(count); }, &ends);
    MidiPlayer player(&synth);
    player.Open("run.mid");
    player.Play();
    ASSERT_FALSE(FatalErrorRaised());

    const std::vector<float> first = Render(synth, 120.0, &ends);
    const double seconds = static_cast<double>(first.size()) / Rate;
    ASSERT_EQ(ends, 1) << "the end was never announced";
    EXPECT_GE(seconds, 45.0);
    EXPECT_LT(seconds, 120.0);
    for (size_t second = 0; second + 1 <= static_cast<size_t>(seconds); ++second) {
        EXPECT_GT(Rms(first, second * Rate, (second + 1) * Rate), 0.01) << "silent around second " << second;
    }
    EXPECT_TRUE(synth.Finished());

    // The main loop hands the notification to the player, which starts the piece over.
    player.OnMessage(wm::MusicNotify, wm::NotifySuccessful, 0);
    EXPECT_FALSE(synth.Finished());
    const std::vector<float> again = Render(synth, 6.0);
    EXPECT_GT(Rms(again, 0, Rate / 4), 0.01) << "no gap at the loop point";
    // Past the old notes' tails, the second run is the first one over again.
    EXPECT_GT(Correlation(first, again, 2 * Rate, 6 * Rate), 0.9);
    Render(synth, 1.0);
    EXPECT_EQ(ends, 1) << "one announcement per run";

    player.Stop();
    EXPECT_FALSE(synth.Finished());
}

TEST(MusicRender, TheGamesPlayerJoinsTheSoundBanksOutput)
{
    if (InstalledSoundFont().empty()) GTEST_SKIP() << "no General MIDI SoundFont installed";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ResetErrorReportForTests();
    SetSettings(RunSettings{});
    SoundBank bank;
    ASSERT_TRUE(bank.Init());
    MidiPlayer player;
    player.Open("run.mid");
    player.Play();
    platform::MusicSynth* const synth = platform::SharedMusicSynth("");
    ASSERT_NE(synth, nullptr);

    bool pulled = false;
    for (int wait = 0; wait < 200 && !pulled; ++wait) {
        pulled = synth->FramesSinceStart() > 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(pulled) << "the device never pulled the music";
    player.Stop();
    bank.Release();
    unsetenv("SDL_AUDIODRIVER");
    EXPECT_FALSE(FatalErrorRaised());
}

}  // namespace
