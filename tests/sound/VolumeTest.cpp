#include "platform/audio/AudioMixer.h"

#include <gtest/gtest.h>

// The player's sound volume scales every sound effect together and leaves the music alone.
TEST(Volume, SoundVolumeScalesEffectsButNotTheMusic)
{
    platform::AudioMixer mixer;
    mixer.SetMusic([](void*, float* stereo, int count) {
        for (int i = 0; i < count * 2; ++i) stereo[i] = 0.125f;   // 4096 on the 16-bit scale
    }, nullptr);
    const std::vector<int16_t> effect = {10000, -10000, 2000, -2000};
    const uint32_t voice = mixer.AddSound(effect.data(), 2);
    for (const auto& [volume, expected] : std::vector<std::pair<float, std::vector<int16_t>>>{
             {1.0f, {14096, -5904, 6096, 2096}}, {0.5f, {9096, -904, 5096, 3096}}, {0.0f, {4096, 4096, 4096, 4096}}}) {
        mixer.SetSoundVolume(volume);
        mixer.Restart(voice);
        std::vector<int16_t> out(4);
        mixer.Mix(out.data(), 2);
        EXPECT_EQ(out, expected) << "volume " << volume;
    }
}
