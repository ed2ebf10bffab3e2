#include "platform/audio/AudioOutput.h"
#include "sound/SoundBank.h"
#include "SoundTestFiles.h"

#include <chrono>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The left channel of `frames` rendered frames.
std::vector<int16_t> RenderLeft(platform::AudioOutput& output, int frames)
{
    std::vector<int16_t> stereo(static_cast<size_t>(frames) * 2);
    output.Render(stereo.data(), frames);
    std::vector<int16_t> left(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) left[static_cast<size_t>(i)] = stereo[static_cast<size_t>(i) * 2];
    return left;
}

using SoundBankTest = SoundFolderTest;

TEST_F(SoundBankTest, PlayRestartsTheFirstSoundLoadedUnderItsNumber)
{
    const auto first = Ramp(200, 1, 3);
    const auto second = Ramp(200, -5, -7);
    WriteBytes("first.wav", SimpleWave(first));
    WriteBytes("second.wav", SimpleWave(second));
    platform::AudioOutput output;
    SoundBank bank;
    bank.UseOutput(&output);
    bank.Load("first.wav", 4);
    bank.Load("second.wav", 4);
    bank.Load("second.wav", 1);
    ASSERT_FALSE(FatalErrorRaised());

    bank.Play(4);
    RenderLeft(output, 50);
    bank.Play(4);   // half-way through: starts over
    std::vector<int16_t> heard = RenderLeft(output, 250);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), heard.begin())) << "slot 4 is the first file loaded under 4";
    EXPECT_EQ(heard[200], 0);
    bank.Play(1);
    EXPECT_EQ(RenderLeft(output, 200), second);

    bank.Play(3);   // never loaded
    bank.Play(0);
    EXPECT_EQ(RenderLeft(output, 100), std::vector<int16_t>(100, 0));
}

TEST_F(SoundBankTest, AnUnopenableFileIsReportedThenFatalAndItsSlotStaysSilent)
{
    platform::AudioOutput output;
    SoundBank bank;
    bank.UseOutput(&output);
    const SoundSlot* missing = bank.Load("nowhere.wav", 2);
    EXPECT_TRUE(FatalErrorRaised());
    EXPECT_EQ(ReportText(), "ファイルオープンに失敗しました");
    ASSERT_EQ(bank.First(), missing);
    EXPECT_TRUE(missing->Slot() == 2 && !missing->Loaded());

    bank.Play(2);
    EXPECT_EQ(RenderLeft(output, 32), std::vector<int16_t>(32, 0));
}

// Switched off, the game goes on silently and reports nothing, and the sounds still load
// (converted to the output rate, stereo). A device that will not open is reported: the runs
// of the whole program without a sound device check that.
TEST_F(SoundBankTest, SwitchedOffSoundsStillLoadAndNothingIsReported)
{
    RunSettings quiet;
    quiet.sound = false;
    SetSettings(quiet);
    SoundBank bank;
    EXPECT_FALSE(bank.Init());
    EXPECT_EQ(bank.Device(), nullptr);
    WriteBytes("a.wav", SimpleWave(Ramp(10, 0, 1), 11025));
    const SoundSlot* slot = bank.Load("a.wav", 1);
    EXPECT_FALSE(FatalErrorRaised());
    EXPECT_EQ(slot->Samples().size(), 40u * 2);
    EXPECT_EQ(slot->Voice(), SoundSlot::NoVoice);
    bank.Play(1);
    EXPECT_FALSE(std::filesystem::exists(ReportFileName));
}

TEST_F(SoundBankTest, TheOpenedDevicePullsTheMixer)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    WriteBytes("long.wav", SimpleWave(std::vector<int16_t>(44100, 1000)));
    SoundBank bank;
    bank.Load("long.wav", 5);   // loaded before the device opens: attached when it does
    ASSERT_TRUE(bank.Init());
    ASSERT_NE(bank.Device(), nullptr);
    EXPECT_TRUE(bank.Device()->HasDevice());
    EXPECT_LE(bank.Device()->DeviceBufferFrames(), platform::AudioOutput::BlockFrames);

    bank.Play(5);
    const uint32_t voice = bank.First()->Voice();
    bool pulled = false;
    for (int wait = 0; wait < 200 && !pulled; ++wait) {
        pulled = bank.Device()->PositionOf(voice) > 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(pulled) << "the device callback never mixed the sound";
    bank.Release();
    EXPECT_EQ(bank.Device(), nullptr);
    EXPECT_FALSE(platform::SharedAudioOutput().HasDevice());
}

}  // namespace
