#include "platform/audio/AudioMixer.h"
#include "SoundTestFiles.h"

#include <algorithm>

namespace {

using platform::AudioMixer;

std::vector<int16_t> Mix(AudioMixer& mixer, int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
    mixer.Mix(out.data(), frames);
    return out;
}

TEST(AudioMixer, APlayedSoundAppearsFromItsFirstSampleAndARestartStartsItOver)
{
    AudioMixer mixer;
    const std::vector<int16_t> sound = Ramp(5000 * 2, -3000);   // stereo
    const uint32_t voice = mixer.AddSound(sound.data(), 5000);
    EXPECT_EQ(Mix(mixer, 64), std::vector<int16_t>(128, 0)) << "nothing plays before the first restart";
    mixer.Restart(voice);
    EXPECT_TRUE(std::equal(sound.begin(), sound.begin() + 200, Mix(mixer, 100).begin()));
    EXPECT_EQ(mixer.PositionOf(voice), 100u);

    mixer.Restart(voice);
    mixer.Restart(voice);   // twice in one frame: still one sound, from the start
    const std::vector<int16_t> out = Mix(mixer, AudioMixer::ScratchFrames * 5);   // split into blocks
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), out.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 10000, out.end(), [](int16_t s) { return s == 0; }));
    EXPECT_EQ(mixer.PositionOf(voice), 5000u);
    EXPECT_FALSE(mixer.IsSounding(voice));
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
    struct Source { int calls = 0, frames = 0; } source;
    AudioMixer mixer;
    mixer.SetMusic([](void* self, float* stereo, int count) {
        auto* source = static_cast<Source*>(self);
        ++source->calls;
        source->frames += count;
        for (int i = 0; i < count; ++i) stereo[i * 2] = 0.25f, stereo[i * 2 + 1] = -2.0f;   // the right beyond full scale
    }, &source);
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
