#pragma once
#include <cstdint>
#include <vector>

namespace platform { class MusicSynth; }

// The music as the game hears it when the piece starts over the moment it ends: one run of the
// sequence rendered right after another, so the second run begins under the tails of the
// first run's last notes. Played in a loop, the second run flows into itself without a seam.
struct MusicLoop {
    std::vector<float> stereo;          // interleaved, FluidSynth's -1..1 scale
    uint64_t           frames = 0;      // the second run's length: the loop's
    uint64_t           firstRunFrames = 0;
};

// The synthesizer renders in steps of this many frames (FluidSynth's own block), and a run ends
// at the first step after which the sequence reports its end.
constexpr int MusicLoopStep = 64;

// Renders `song` (a Standard MIDI File) twice through `synth`, which must render offline and
// have its SoundFont loaded. Empty when the sequence does not end within `longestRunFrames`.
MusicLoop RenderMusicLoop(platform::MusicSynth& synth, const std::vector<uint8_t>& song, uint64_t longestRunFrames);

// The loop as 16-bit samples at the mixer's scale, clipped as the mixer clips.
std::vector<int16_t> ToSixteenBits(const std::vector<float>& stereo);
