#include "platform/audio/AudioMixer.h"

#include <algorithm>
#include <cmath>

namespace platform {

uint32_t AudioMixer::AddSound(const int16_t* stereo, uint32_t frames)
{
    voices.push_back(Voice{stereo, frames, 0, false});
    return static_cast<uint32_t>(voices.size() - 1);
}

void AudioMixer::RemoveAllSounds() { voices.clear(); }

void AudioMixer::Restart(uint32_t voice)
{
    if (voice >= voices.size()) return;
    voices[voice].position = 0;
    voices[voice].sounding = voices[voice].frames > 0;
}

bool AudioMixer::IsSounding(uint32_t voice) const
{
    return voice < voices.size() && voices[voice].sounding;
}

uint32_t AudioMixer::PositionOf(uint32_t voice) const
{
    return voice < voices.size() ? voices[voice].position : 0;
}

void AudioMixer::SetMusic(MusicRender render, void* context)
{
    musicRender = render;
    musicContext = context;
}

void AudioMixer::Mix(int16_t* out, int frames)
{
    while (frames > 0) {
        const int block = std::min(frames, ScratchFrames);
        MixBlock(out, block);
        out += block * 2;
        frames -= block;
    }
}

void AudioMixer::MixBlock(int16_t* out, int frames)
{
    const int samples = frames * 2;
    if (musicRender) {
        musicRender(musicContext, scratch, frames);
        for (int i = 0; i < samples; ++i) scratch[i] *= MusicScale;
    } else {
        std::fill(scratch, scratch + samples, 0.0f);
    }
    for (Voice& voice : voices) {
        if (voice.sounding) AddVoice(voice, frames);
    }
    for (int i = 0; i < samples; ++i) {
        // Loud moments clip rather than wrap around.
        const float clamped = std::clamp(scratch[i], -32768.0f, 32767.0f);
        out[i] = static_cast<int16_t>(std::lrint(clamped));
    }
}

void AudioMixer::AddVoice(Voice& voice, int frames)
{
    const uint32_t count = std::min<uint32_t>(static_cast<uint32_t>(frames), voice.frames - voice.position);
    const int16_t* source = voice.samples + static_cast<size_t>(voice.position) * 2;
    for (uint32_t i = 0; i < count * 2; ++i) scratch[i] += static_cast<float>(source[i]) * soundGain;
    voice.position += count;
    if (voice.position >= voice.frames) voice.sounding = false;
}

}  // namespace platform
