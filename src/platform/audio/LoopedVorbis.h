#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct stb_vorbis;

namespace platform {

// A piece of music recorded as Ogg Vorbis, played over and over: the last frame of one pass is
// followed by the first frame of the next, sample for sample, so a recording made to loop
// (its start already carrying the tails of its own end) plays without a gap or a click. It is
// decoded a block at a time as the output pulls it, so only the compressed file stays in memory.
// Stereo at the output's rate only: the mixer never converts music.
class LoopedVorbis {
public:
    LoopedVorbis() = default;
    LoopedVorbis(const LoopedVorbis&) = delete;
    LoopedVorbis& operator=(const LoopedVorbis&) = delete;
    ~LoopedVorbis();

    // Takes the whole file. False, with the reason in plain words, when it is no Ogg Vorbis
    // stream, not stereo at AudioOutput::Rate, or holds no sound; nothing plays then.
    bool Open(std::vector<uint8_t> file, std::string& reason);
    bool IsOpen() const { return decoder != nullptr; }
    uint64_t LoopFrames() const { return loopFrames; }   // one pass, as the stream declares it

    void Rewind();                       // back to the first frame
    void Start();                        // plays on from where it is
    void Stop();                         // silent, holding its place
    bool Playing() const { return playing; }
    void SetGain(float gain) { volume = gain; }   // 1: as recorded
    uint64_t FramesSinceStart() const { return framesSinceStart; }
    uint64_t Position() const { return position; } // frames into the current pass

    // Writes `frames` interleaved stereo frames in -1..1; silence while stopped.
    void Render(float* stereo, int frames);

private:
    void Decode(float* stereo, int frames);
    void Close();

    std::vector<uint8_t> file;                // the decoder reads from it while playing
    std::vector<char>    arena;               // the decoder's tables and working memory
    stb_vorbis*          decoder     = nullptr;
    uint64_t             loopFrames  = 0;
    uint64_t             position    = 0;
    uint64_t             framesSinceStart = 0;
    float                volume      = 1.0f;
    bool                 playing     = false;
};

}  // namespace platform
