#pragma once
#include <cstdint>
#include <vector>

// What the music player needs of a MIDI synthesizer: the synthesizer behind the game's audio
// output, or a stand-in in tests.
class MusicOutput {
public:
    virtual ~MusicOutput() = default;

    // Takes a Standard MIDI File; false when the synthesizer cannot play it.
    virtual bool Open(std::vector<uint8_t> song) = 0;
    virtual void Rewind() = 0;            // back to the first tick of the song
    virtual void Start() = 0;             // plays on from the current position
    virtual void Stop() = 0;              // silences it at once
    virtual void Close() = 0;             // forgets the song
    virtual bool Finished() const = 0;    // the sequence has played to its end
};
