#include "platform/AudioMixer.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using platform::AudioMixer;

// A stereo ramp whose every sample is distinct, so any shift or skip shows.
std::vector<int16_t> Ramp(uint32_t frames, int16_t start)
{
    std::vector<int16_t> out(frames * 2);
    for (uint32_t i = 0; i < out.size(); ++i) out[i] = static_cast<int16_t>(start + static_cast<int16_t>(i));
    return out;
}

std::vector<int16_t> Mix(AudioMixer& mixer, int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
    mixer.Mix(out.data(), frames);
    return out;
}

TEST(AudioMixer, APlayedSoundAppearsFromItsFirstSampleThenSilence)
{
    AudioMixer mixer;
    const std::vector<int16_t> sound = Ramp(300, 10);
    const uint32_t voice = mixer.AddSound(sound.data(), 300);
    EXPECT_EQ(Mix(mixer, 64), std::vector<int16_t>(128, 0)) << "nothing plays before the first restart";

    mixer.Restart(voice);
    const std::vector<int16_t> out = Mix(mixer, 512);
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 600, out.end(), [](int16_t s) { return s == 0; }));
    EXPECT_FALSE(mixer.IsSounding(voice));
}

TEST(AudioMixer, ARestartStartsTheSoundOverAndLongBlocksAreSplit)
{
    AudioMixer mixer;
    const std::vector<int16_t> sound = Ramp(5000, -3000);
    const uint32_t voice = mixer.AddSound(sound.data(), 5000);
    mixer.Restart(voice);
    Mix(mixer, 100);
    EXPECT_EQ(mixer.PositionOf(voice), 100u);

    mixer.Restart(voice);
    mixer.Restart(voice);   // twice in one frame: still one sound, from the start
    const std::vector<int16_t> out = Mix(mixer, AudioMixer::ScratchFrames * 5);
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), out.begin()));
    EXPECT_EQ(mixer.PositionOf(voice), 5000u);
}

TEST(AudioMixer, SoundsAddUpAndClampInsteadOfWrapping)
{
    AudioMixer mixer;
    const std::vector<int16_t> loud = {30000, -30000, 1000, -1000};
    const std::vector<int16_t> small = {100, -100, 200, -200};
    mixer.Restart(mixer.AddSound(loud.data(), 2));
    mixer.Restart(mixer.AddSound(loud.data(), 2));
    mixer.Restart(mixer.AddSound(small.data(), 2));
    EXPECT_EQ(Mix(mixer, 2), (std::vector<int16_t>{32767, -32768, 2200, -2200}));
}

TEST(AudioMixer, MusicIsPulledEveryBlockAndScaledToSixteenBits)
{
    struct Source {
        int calls = 0;
        int frames = 0;
        static void Render(void* self, float* stereo, int count)
        {
            auto* source = static_cast<Source*>(self);
            ++source->calls;
            source->frames += count;
            for (int i = 0; i < count; ++i) {
                stereo[i * 2] = 0.25f;
                stereo[i * 2 + 1] = -2.0f;   // beyond full scale: clamped
            }
        }
    } source;
    AudioMixer mixer;
    mixer.SetMusic(Source::Render, &source);
    const std::vector<int16_t> effect = {100, 100};
    mixer.Restart(mixer.AddSound(effect.data(), 1));
    const std::vector<int16_t> out = Mix(mixer, AudioMixer::ScratchFrames + 10);
    EXPECT_EQ(source.calls, 2);
    EXPECT_EQ(source.frames, AudioMixer::ScratchFrames + 10);
    EXPECT_EQ(out[0], 8192 + 100);
    EXPECT_EQ(out[1], -32768);
    EXPECT_EQ(out[2], 8192);

    mixer.SetMusic(nullptr, nullptr);
    EXPECT_EQ(Mix(mixer, 3), std::vector<int16_t>(6, 0));
}

}  // namespace
