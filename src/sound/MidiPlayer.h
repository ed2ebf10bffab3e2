#pragma once
#include <cstdint>
#include <string>

class MusicOutput;

// The background music: one MIDI file, "run.mid", played over and over. Every play opens the
// file anew and starts at its beginning; when the piece has played to its end the audio side
// posts a notification to the main loop, and OnMessage starts it again while the player is
// still playing. The title screen starts the music, the game over stops it, and closing the
// window (wm::Destroy) stops it too.
class MidiPlayer {
public:
    enum class Failure { FileMissing, FileUnreadable, NotMidi, SynthRefused };

    // Plays through the game's synthesizer when music is on and one can be had; otherwise the
    // player keeps its states and checks its file but nothing is heard.
    MidiPlayer();
    // Plays through `output` (not owned, may be null for silence): tests and tools.
    explicit MidiPlayer(MusicOutput* output);

    void Open(const char* file);   // where the file is; nothing is read yet
    void Play();                   // (re)opens the file and plays it from its start
    void Stop();
    void OnMessage(uint32_t message, uint64_t wParam, int64_t lParam);
    void ShowError(Failure failure, const std::string& detail);   // the fatal error

    bool Playing() const                 { return playing != 0; }
    const std::string& Path() const      { return path; }

private:
    MusicOutput* Output();

    MusicOutput* output;           // not owned; null: silent
    bool         usePlatform;      // look the game's synthesizer up at play time
    uint8_t      playing = 0;      // 1 between a Play and the next Stop
    std::string  path;             // the music file as found by Open
};
