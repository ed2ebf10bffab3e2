#include "platform/audio/LoopedVorbis.h"

#include "platform/audio/AudioOutput.h"
#include "platform/audio/VorbisComments.h"

#include <algorithm>
#include <climits>

// The decoder's implementation, compiled here and nowhere else; it reads memory only.
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb/stb_vorbis.h>

namespace platform {

namespace {

// The game's own loop needs about 230 KB of decoder tables and working memory; other streams
// may need more.
constexpr size_t FirstArenaBytes   = 256 * 1024;
constexpr size_t LargestArenaBytes = 8 * 1024 * 1024;

}  // namespace

LoopedVorbis::~LoopedVorbis() { Close(); }

void LoopedVorbis::Close()
{
    if (decoder) stb_vorbis_close(decoder);
    decoder = nullptr;
    arena.clear();
    arena.shrink_to_fit();
    loopFrames = 0;
    position = 0;
    playing = false;
}

bool LoopedVorbis::Open(std::vector<uint8_t> bytes, std::string& reason)
{
    Close();
    file = std::move(bytes);
    if (file.size() > static_cast<size_t>(INT_MAX)) {
        reason = "the file is too large";
        return false;
    }
    if (!VorbisCommentsFit(file.data(), file.size())) {
        reason = "its comment header claims more than it holds";
        return false;
    }
    // Every allocation of the decoder comes from one buffer of ours: it is freed with the player,
    // whatever the decoder's error paths forget, and a hostile file cannot claim without bound.
    int error = 0;
    for (size_t bytes = FirstArenaBytes; bytes <= LargestArenaBytes; bytes *= 2) {
        arena.assign(bytes, 0);
        stb_vorbis_alloc alloc{arena.data(), static_cast<int>(bytes)};
        decoder = stb_vorbis_open_memory(file.data(), static_cast<int>(file.size()), &error, &alloc);
        if (decoder || error != VORBIS_outofmem) break;
    }
    if (!decoder) {
        reason = "not an Ogg Vorbis stream (decoder error " + std::to_string(error) + ")";
        return false;
    }
    const stb_vorbis_info info = stb_vorbis_get_info(decoder);
    if (info.channels != AudioOutput::Channels || info.sample_rate != static_cast<unsigned>(AudioOutput::Rate)) {
        reason = "the stream has " + std::to_string(info.channels) + " channels at " +
                 std::to_string(info.sample_rate) + " Hz, not stereo at " + std::to_string(AudioOutput::Rate) + " Hz";
        Close();
        return false;
    }
    loopFrames = stb_vorbis_stream_length_in_samples(decoder);
    if (loopFrames == 0) {
        reason = "the stream holds no sound";
        Close();
        return false;
    }
    return true;
}

void LoopedVorbis::Rewind()
{
    if (!decoder || position == 0) return;
    stb_vorbis_seek_start(decoder);
    position = 0;
}

void LoopedVorbis::Start()
{
    playing = decoder != nullptr;
    framesSinceStart = 0;
}

void LoopedVorbis::Stop() { playing = false; }

void LoopedVorbis::Render(float* stereo, int frames)
{
    if (!playing) {
        std::fill(stereo, stereo + frames * 2, 0.0f);
        return;
    }
    Decode(stereo, frames);
    if (volume != 1.0f) std::for_each(stereo, stereo + frames * 2, [this](float& sample) { sample *= volume; });
    framesSinceStart += static_cast<uint64_t>(frames);
}

// The decoder says a pass is over by handing out fewer frames than asked; the next frames come
// from the start of the stream again.
void LoopedVorbis::Decode(float* stereo, int frames)
{
    bool rewound = false;   // a stream that yields nothing from its start plays silence
    while (frames > 0) {
        const int got = stb_vorbis_get_samples_float_interleaved(decoder, 2, stereo, frames * 2);
        if (got > 0) {
            stereo += got * 2;
            frames -= got;
            position += static_cast<uint64_t>(got);
            rewound = false;
            continue;
        }
        if (rewound) break;
        stb_vorbis_seek_start(decoder);
        position = 0;
        rewound = true;
    }
    std::fill(stereo, stereo + frames * 2, 0.0f);
}

}  // namespace platform
