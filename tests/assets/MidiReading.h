#pragma once
#include <cstdint>
#include <vector>

// A small reader of Standard MIDI Files, independent of the builder's writer, for checking
// what it wrote. Running status is refused: the writer always sends the status byte.
struct MidiEvent {
    uint32_t tick = 0;
    uint8_t status = 0, data1 = 0, data2 = 0;
};

struct MidiTrack {
    std::vector<MidiEvent> events;   // channel events only
    uint32_t endTick = 0;            // tick of the end-of-track event
};

struct ReadSong {
    bool ok = false;                 // the whole file read cleanly, every track closed
    int format = -1;
    int division = 0;                // ticks per quarter note
    std::vector<MidiTrack> tracks;
};

ReadSong ReadMidi(const std::vector<uint8_t>& bytes);
