#include "sound/MidiPlayer.h"

#include "core/DataFiles.h"
#include "core/ErrorReport.h"
#include "core/Settings.h"
#include "core/Translation.h"
#include "core/VirtualKeys.h"
#include "platform/audio/MusicSynth.h"
#include "sound/FileBytes.h"
#include "sound/MusicOutput.h"

#include <cstring>
#include <vector>

namespace {

uint32_t BigEndian32(const uint8_t* bytes)
{
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

// A standard MIDI file whose header is followed by every track it announces, each whole. The
// synthesizer reads the tracks only while playing, so a cut or damaged file is refused here.
bool LooksLikeMidi(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < 14 || std::memcmp(bytes.data(), "MThd", 4) != 0) return false;
    const uint32_t headerLength = BigEndian32(bytes.data() + 4);
    if (headerLength < 6 || headerLength > bytes.size() - 8) return false;
    const unsigned announcedTracks = (unsigned{bytes[10]} << 8) | bytes[11];
    unsigned tracks = 0;
    size_t at = 8 + headerLength;
    while (bytes.size() - at >= 8) {
        const uint32_t length = BigEndian32(bytes.data() + at + 4);
        if (length > bytes.size() - at - 8) return false;
        if (std::memcmp(bytes.data() + at, "MTrk", 4) == 0) ++tracks;
        at += 8 + length;
    }
    return announcedTracks > 0 && tracks == announcedTracks && at == bytes.size();
}

const char* FailureText(MidiPlayer::Failure failure)
{
    switch (failure) {
    case MidiPlayer::Failure::FileMissing:    return Translate("The music file cannot be opened");
    case MidiPlayer::Failure::FileUnreadable: return Translate("The music file cannot be read");
    case MidiPlayer::Failure::NotMidi:        return Translate("The music file is not a MIDI file");
    case MidiPlayer::Failure::SynthRefused:   return Translate("The music file cannot be played");
    }
    return Translate("The music could not be played");
}

// The same in plain words with the file, for stderr and the line under the message.
std::string FailureReason(MidiPlayer::Failure failure, const std::string& path)
{
    switch (failure) {
    case MidiPlayer::Failure::FileMissing:    return TranslateWith("cannot open the music file %s", path);
    case MidiPlayer::Failure::FileUnreadable: return TranslateWith("cannot read the music file %s", path);
    case MidiPlayer::Failure::NotMidi:        return TranslateWith("the music file %s is not a whole standard MIDI file", path);
    case MidiPlayer::Failure::SynthRefused:   return TranslateWith("the synthesizer cannot play the music file %s", path);
    }
    return TranslateWith("cannot play the music file %s", path);
}

}  // namespace

MidiPlayer::MidiPlayer() : output(nullptr), usePlatform(true) {}

MidiPlayer::MidiPlayer(MusicOutput* testOutput) : output(testOutput), usePlatform(false) {}

void MidiPlayer::Open(const char* file)
{
    path = FindDataFile(file);
    playing = 0;
}

MusicOutput* MidiPlayer::Output()
{
    // The synthesizer is only joined once the sound bank has opened the audio device, so it is
    // looked up when the music starts rather than when the player is made.
    if (usePlatform && !output && Settings().sound && Settings().music) {
        platform::MusicSynth* const synth = platform::SharedMusicSynth(Settings().soundFont);
        if (synth) synth->SetVolume(Settings().musicVolume);
        output = synth;
    }
    return output;
}

void MidiPlayer::Play()
{
    if (playing) Stop();
    std::vector<uint8_t> song;
    std::string reason;
    const FileRead read = ReadFileBytes(path, song, reason);
    MusicOutput* const synth = Output();
    if (read == FileRead::CannotOpen) {
        ShowError(Failure::FileMissing, reason);
    } else if (read == FileRead::Failed) {
        ShowError(Failure::FileUnreadable, reason);
    } else if (!LooksLikeMidi(song)) {
        ShowError(Failure::NotMidi, "");
    } else if (synth && !synth->Open(std::move(song))) {
        ShowError(Failure::SynthRefused, "");
    } else if (synth) {
        synth->Rewind();
        synth->Start();
    }
    playing = 1;   // even after a failure, as the fatal error ends the run anyway
}

void MidiPlayer::Stop()
{
    if (!playing) return;
    if (output) {
        output->Stop();
        output->Close();
    }
    playing = 0;
}

void MidiPlayer::OnMessage(uint32_t message, uint64_t wParam, int64_t)
{
    if (message == wm::MusicNotify && playing && wParam == wm::NotifySuccessful) {
        // Only a piece that has really played out starts over; a late notice from an earlier
        // play finds the music running and changes nothing.
        if (output && output->Finished()) {
            output->Rewind();
            output->Start();
        }
        return;
    }
    if (message == wm::Destroy) Stop();
}

void MidiPlayer::ShowError(Failure failure, const std::string& detail)
{
    std::string reason = FailureReason(failure, path);
    if (!detail.empty()) reason += " (" + detail + ")";
    FatalError(FailureText(failure), reason.c_str());
}
