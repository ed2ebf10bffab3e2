#pragma once
#include "SourceText.h"

#include <cstdint>
#include <string>
#include <vector>

// The music as the score describes it, ready to be written as a Standard MIDI File.
struct ScoreNote {
    uint32_t tick     = 0;   // start, in ticks from the start of the piece
    uint32_t length   = 0;   // ticks, before the track's gate shortens it
    uint8_t  key      = 60;  // MIDI note number (60 = c4)
    uint8_t  velocity = 90;  // 1..127
};

struct ScoreTrack {
    std::string            name;
    uint8_t                channel  = 0;     // 0..15 (the drums are channel 9, "channel 10" in the score)
    uint8_t                program  = 0;     // 0..127 (the score numbers them 1..128 as the GM list does)
    uint8_t                volume   = 100;   // controller 7
    uint8_t                pan      = 64;    // controller 10
    uint8_t                reverb   = 40;    // controller 91
    uint8_t                chorus   = 0;     // controller 93
    double                 gate     = 0.9;   // sounding part of each note's length
    std::vector<ScoreNote> notes;            // in time order
    uint32_t               length   = 0;     // ticks the track's playlist covers
};

struct Song {
    std::string             title;
    int                     tempo       = 120;   // quarter notes per minute
    int                     meterTop    = 4;
    int                     meterBottom = 4;
    int                     division    = 480;   // ticks per quarter note
    uint32_t                length      = 0;     // ticks; every track ends exactly here
    std::vector<ScoreTrack> tracks;

    uint32_t BarTicks() const { return static_cast<uint32_t>(division * 4 * meterTop / meterBottom); }
    double Seconds() const { return static_cast<double>(length) / division * 60.0 / tempo; }
};

// Reads the score notation (see assets/sound/run.score for the notation's own description).
Song ParseScore(SourceText& source);

// MIDI note number of a pitch name such as "c4", "f#3" or "bb1"; -1 when it is not one.
int ParsePitch(const std::string& name);
