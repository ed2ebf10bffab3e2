#include "MusicLoop.h"

#include "platform/audio/AudioMixer.h"
#include "platform/audio/MusicSynth.h"

#include <algorithm>
#include <cmath>

namespace {

// Plays the song from its first tick, without silencing what still rings, and renders until the
// sequence reports its end. Returns the run's frames, or nothing when it runs past `longest`.
std::vector<float> RenderRun(platform::MusicSynth& synth, const std::vector<uint8_t>& song, uint64_t longest)
{
    std::vector<float> run;
    if (!synth.Open(song)) return run;
    synth.Rewind();
    synth.Start();
    float block[MusicLoopStep * 2];
    while (!synth.Finished()) {
        if (run.size() / 2 >= longest) return {};
        synth.Render(block, MusicLoopStep);
        run.insert(run.end(), block, block + MusicLoopStep * 2);
    }
    return run;
}

}  // namespace

MusicLoop RenderMusicLoop(platform::MusicSynth& synth, const std::vector<uint8_t>& song, uint64_t longestRunFrames)
{
    MusicLoop loop;
    // The game restarts the piece itself; an offline render has nobody to tell.
    synth.SetFinishedHandler(nullptr, nullptr);
    const std::vector<float> first = RenderRun(synth, song, longestRunFrames);
    if (first.empty()) return loop;
    loop.stereo = RenderRun(synth, song, longestRunFrames);
    loop.firstRunFrames = first.size() / 2;
    loop.frames = loop.stereo.size() / 2;
    return loop;
}

std::vector<int16_t> ToSixteenBits(const std::vector<float>& stereo)
{
    std::vector<int16_t> samples(stereo.size());
    std::ranges::transform(stereo, samples.begin(), [](float sample) {
        const float scaled = std::clamp(sample * platform::AudioMixer::MusicScale, -32768.0f, 32767.0f);
        return static_cast<int16_t>(std::lrint(scaled));
    });
    return samples;
}
