#pragma once
#include "SourceText.h"

#include <cstdint>
#include <string>
#include <vector>

// A value that moves over a layer's life: "300..1200..500" passes through its points at even
// spacing from the layer's start to the end of its decay.
struct Curve {
    std::vector<double> points;
    bool geometric = false;   // pitches and cut-offs glide evenly in octaves, not in hertz

    double At(double fraction) const;
};

enum class Waveform { Sine, Triangle, Square, Saw, Noise };
enum class FilterKind { None, Lowpass, Highpass, Bandpass };

// One voice of a sound: an oscillator or noise source with its envelope and filter.
struct Layer {
    Waveform   waveform     = Waveform::Sine;
    double     gain         = 1.0;     // linear, before the sound's peak normalisation
    double     start        = 0.0;     // seconds after the sound begins
    double     attack       = 0.002;   // seconds of linear rise
    double     hold         = 0.0;     // seconds at full level
    double     decay        = 0.3;     // seconds from full level down to silence (exponential)
    Curve      frequency    {{440.0}, true};   // hertz
    FilterKind filter       = FilterKind::None;
    Curve      cutoff       {{1000.0}, true};  // hertz
    double     resonance    = 0.707;   // filter Q
    double     vibratoRate  = 0.0;     // hertz
    double     vibratoDepth = 0.0;     // semitones either way
    double     tremoloRate  = 0.0;     // hertz
    double     tremoloDepth = 0.0;     // 0..1 of the level
    uint32_t   seed         = 1;       // noise sequence

    double Duration() const { return attack + hold + decay; }
};

// One WAV file: mono 16-bit PCM at `rate`, `length` seconds, its loudest sample at `peak`.
struct SoundRecipe {
    std::string        file;
    int                rate   = 44100;   // frames per second
    double             length = 0.5;     // seconds
    double             peak   = 0.9;     // of full scale
    std::vector<Layer> layers;
};

// Shortest and longest sound the game wants: long enough to be heard, short enough to never
// smear over the next event.
constexpr double ShortestSound = 0.1;
constexpr double LongestSound  = 1.5;

std::vector<SoundRecipe> ParseRecipes(SourceText& source);
