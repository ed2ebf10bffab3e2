#include "platform/audio/AudioOutput.h"

#include <SDL.h>

namespace platform {

AudioOutput::~AudioOutput() { CloseDevice(); }

AudioOutput::OpenResult AudioOutput::OpenDevice(int32_t& resultCode, std::string& reason)
{
    CloseDevice();
    const int initResult = SDL_InitSubSystem(SDL_INIT_AUDIO);
    if (initResult != 0) {
        resultCode = initResult;
        reason = SDL_GetError();
        return OpenResult::SubsystemFailed;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = Rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Channels;
    wanted.samples = BlockFrames;
    wanted.callback = [](void* self, Uint8* stream, int bytes) { Callback(self, stream, bytes); };
    wanted.userdata = this;
    SDL_AudioSpec granted{};
    // No changes allowed: SDL converts to whatever the hardware wants, the mixer always sees
    // 44100 Hz stereo 16-bit.
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &granted, 0);
    if (id == 0) {
        resultCode = 0;
        reason = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return OpenResult::DeviceFailed;
    }
    device = id;
    bufferFrames = granted.samples;
    SDL_PauseAudioDevice(device, 0);
    return OpenResult::Opened;
}

void AudioOutput::CloseDevice()
{
    if (device == 0) return;
    SDL_CloseAudioDevice(device);   // returns once the callback has finished
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device = 0;
    bufferFrames = 0;
}

void AudioOutput::Callback(void* self, uint8_t* stream, int bytes)
{
    auto* output = static_cast<AudioOutput*>(self);
    output->mixer.Mix(reinterpret_cast<int16_t*>(stream), bytes / static_cast<int>(Channels * sizeof(int16_t)));
}

uint32_t AudioOutput::AddSound(const int16_t* stereo, uint32_t frames)
{
    const Lock lock(*this);
    return mixer.AddSound(stereo, frames);
}

void AudioOutput::RemoveAllSounds()
{
    const Lock lock(*this);
    mixer.RemoveAllSounds();
}

void AudioOutput::PlaySound(uint32_t voice)
{
    const Lock lock(*this);
    mixer.Restart(voice);
}

void AudioOutput::SetMusic(AudioMixer::MusicRender render, void* context)
{
    const Lock lock(*this);
    mixer.SetMusic(render, context);
}

void AudioOutput::SetSoundVolume(int percent)
{
    const Lock lock(*this);
    mixer.SetSoundVolume(static_cast<float>(percent) / 100.0f);
}

void AudioOutput::SetPaused(bool paused)
{
    if (device != 0) SDL_PauseAudioDevice(device, paused ? 1 : 0);
}

void AudioOutput::Render(int16_t* out, int frames)
{
    const Lock lock(*this);
    mixer.Mix(out, frames);
}

bool AudioOutput::IsSounding(uint32_t voice)
{
    const Lock lock(*this);
    return mixer.IsSounding(voice);
}

uint32_t AudioOutput::PositionOf(uint32_t voice)
{
    const Lock lock(*this);
    return mixer.PositionOf(voice);
}

AudioOutput::Lock::Lock(const AudioOutput& output) : device(output.device)
{
    if (device != 0) SDL_LockAudioDevice(device);
}

AudioOutput::Lock::~Lock()
{
    if (device != 0) SDL_UnlockAudioDevice(device);
}

AudioOutput& SharedAudioOutput()
{
    static AudioOutput output;
    return output;
}

}  // namespace platform
