// Renders the game's music as a player hears it in a loop, for the web build, which has no
// MIDI synthesizer:
//   velmoor_musicrender <run.mid> <loop.wav> [--soundfont FILE]
// plays run.mid through the game's own synthesizer offline (same gain, rate and SoundFont
// lookup as the game) and writes one seamless loop of it as a 16-bit stereo WAV file, which the
// build then encodes to Ogg Vorbis.
#include "MusicLoop.h"
#include "WaveWriter.h"

#include "platform/audio/AudioOutput.h"
#include "platform/audio/MusicSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr uint64_t LongestRunFrames = 10ull * 60 * platform::AudioOutput::Rate;

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

// The first SoundFont the game itself would load, or an empty name.
std::string LoadGameSoundFont(platform::MusicSynth& synth, const std::string& chosen)
{
    for (const std::string& path : platform::SoundFontCandidates(chosen)) {
        if (synth.LoadSoundFont(path)) return path;
    }
    return {};
}

float Peak(const std::vector<float>& samples)
{
    float peak = 0.0f;
    for (const float sample : samples) peak = std::max(peak, std::fabs(sample));
    return peak;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool chosenFont = argc == 5 && std::string(argv[3]) == "--soundfont";
    if (argc != 3 && !chosenFont) {
        std::fprintf(stderr, "usage: %s <run.mid> <loop.wav> [--soundfont FILE]\n", argv[0]);
        return 2;
    }
    const std::string songPath = argv[1];
    const std::string wavePath = argv[2];
    std::vector<uint8_t> song;
    if (!ReadFile(songPath, song) || song.empty()) {
        std::fprintf(stderr, "musicrender: cannot read %s\n", songPath.c_str());
        return 1;
    }
    platform::MusicSynth synth(nullptr);
    const std::string soundFont = LoadGameSoundFont(synth, chosenFont ? argv[4] : "");
    if (soundFont.empty()) {
        std::fprintf(stderr, "musicrender: no General MIDI SoundFont could be loaded\n");
        return 1;
    }
    const MusicLoop loop = RenderMusicLoop(synth, song, LongestRunFrames);
    if (loop.frames == 0) {
        std::fprintf(stderr, "musicrender: %s does not play to an end within ten minutes\n", songPath.c_str());
        return 1;
    }
    if (!WriteFile(wavePath, WriteWave(ToSixteenBits(loop.stereo), platform::AudioOutput::Rate, 2))) {
        std::fprintf(stderr, "musicrender: cannot write %s\n", wavePath.c_str());
        return 1;
    }
    std::printf("musicrender: %s with %s: a loop of %llu frames (%.3f s; the first run %llu), peak %.3f\n",
                songPath.c_str(), soundFont.c_str(), static_cast<unsigned long long>(loop.frames),
                static_cast<double>(loop.frames) / platform::AudioOutput::Rate,
                static_cast<unsigned long long>(loop.firstRunFrames), static_cast<double>(Peak(loop.stereo)));
    return 0;
}
