#pragma once
#include <cstdint>
#include <string>
#include <vector>

// An independent reader of Standard MIDI Files for checking what the builder wrote.
struct ReadNote {
    uint32_t on = 0, off = 0;   // ticks
    uint8_t channel = 0, key = 0, velocity = 0;
};

struct ReadTrack {
    std::vector<ReadNote> notes;
    uint32_t endTick = 0;        // tick of the end-of-track event
    bool ended = false;          // the track closes with an end-of-track event
    int openNotes = 0;           // note-ons never switched off
    std::vector<uint8_t> programs;
};

struct ReadSong {
    int format = -1;
    int division = 0;
    uint32_t microsPerQuarter = 500000;
    std::vector<ReadTrack> tracks;
    std::string error;           // empty when the file read cleanly

    double Seconds(uint32_t ticks) const { return ticks * (microsPerQuarter / 1e6) / division; }
};

ReadSong ReadMidi(const std::vector<uint8_t>& bytes);
