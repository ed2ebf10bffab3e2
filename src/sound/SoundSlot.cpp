#include "sound/SoundSlot.h"

#include "core/DataFiles.h"
#include "core/ErrorReport.h"
#include "platform/audio/AudioOutput.h"
#include "sound/FileBytes.h"
#include "sound/WaveFile.h"

bool SoundSlot::LoadWave(platform::AudioOutput* device, const char* file)
{
    buffer.clear();
    voice = NoVoice;
    std::vector<uint8_t> bytes;
    std::string reason;
    const FileRead read = ReadFileBytes(FindDataFile(file), bytes, reason);
    if (read == FileRead::CannotOpen) {
        ReportError("ファイルオープンに失敗しました");
        return false;
    }
    if (read != FileRead::Done) return false;

    WaveFile wave;
    if (!wave.Parse(bytes.data(), bytes.size())) return false;
    buffer = wave.ToStereo16(platform::AudioOutput::Rate);
    if (buffer.empty()) return false;   // a sound without a single frame cannot be played
    AttachTo(device);
    return true;
}

void SoundSlot::AttachTo(platform::AudioOutput* device)
{
    voice = NoVoice;
    if (!device || buffer.empty()) return;
    voice = device->AddSound(buffer.data(), static_cast<uint32_t>(buffer.size() / 2));
}
