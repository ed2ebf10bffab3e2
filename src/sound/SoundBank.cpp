#include "sound/SoundBank.h"

#include "core/DataFiles.h"
#include "core/ErrorReport.h"
#include "core/Settings.h"
#include "core/Translation.h"
#include "platform/audio/AudioOutput.h"

#include <cstdio>

SoundBank::~SoundBank() { Release(); }

bool SoundBank::Init()
{
    Release();
    if (!Settings().sound) return false;
    platform::AudioOutput& output = platform::SharedAudioOutput();
    int32_t code = 0;
    std::string reason;
    const auto result = output.OpenDevice(code, reason);
    if (result != platform::AudioOutput::OpenResult::Opened) {
        const bool subsystem = result == platform::AudioOutput::OpenResult::SubsystemFailed;
        ReportErrorResult(subsystem ? "SDLオーディオの初期化に失敗" : "SDLオーディオデバイスの生成に失敗", code);
        std::fprintf(stderr, "velmoor: no sound: %s\n", reason.c_str());
        return false;
    }
    output.SetSoundVolume(Settings().soundVolume);
    UseOutput(&output);
    return true;
}

void SoundBank::UseOutput(platform::AudioOutput* output)
{
    device = output;
    AttachAll();
}

void SoundBank::AttachAll()
{
    if (device) device->RemoveAllSounds();
    for (SoundSlot* slot = first.get(); slot; slot = slot->Next()) slot->AttachTo(device);
}

SoundSlot* SoundBank::Load(const char* file, uint16_t slot)
{
    auto loaded = std::make_unique<SoundSlot>(slot);
    if (!loaded->LoadWave(device, file)) {
        // The fatal error's own text does not say which file; its reason does.
        const std::string reason = TranslateWith("the sound file %s is missing or not a PCM WAV file", FindDataFile(file));
        FatalError(Translate("Program error"), reason.c_str());
    }
    SoundSlot* const added = loaded.get();
    if (!first) {
        first = std::move(loaded);
        return added;
    }
    SoundSlot* tail = first.get();
    while (tail->Next()) tail = tail->Next();
    tail->Append(std::move(loaded));
    return added;
}

void SoundBank::Play(uint16_t slot)
{
    for (SoundSlot* entry = first.get(); entry; entry = entry->Next()) {
        if (entry->Slot() != slot) continue;
        if (device && entry->Voice() != SoundSlot::NoVoice) device->PlaySound(entry->Voice());
        return;   // only the first sound under a number is ever played
    }
}

void SoundBank::Release()
{
    if (!device) return;
    device->RemoveAllSounds();   // the mixer must not keep pointers into our buffers
    device->CloseDevice();
    device = nullptr;
    for (SoundSlot* slot = first.get(); slot; slot = slot->Next()) slot->AttachTo(nullptr);
}
