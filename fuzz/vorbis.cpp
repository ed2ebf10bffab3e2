// The music loop's Ogg Vorbis reader on arbitrary bytes: it must refuse or play without ever
// reading outside the buffer, and a stream it accepts must loop back to its start cleanly.
#include "platform/audio/LoopedVorbis.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::LoopedVorbis loop;
    std::string reason;
    if (!loop.Open(std::vector<uint8_t>(data, data + size), reason)) {
        if (reason.empty()) __builtin_trap();
        return 0;
    }
    loop.Start();
    // Enough blocks to pass a short stream's end and start it over, not so many that a stream
    // claiming hours keeps one run long.
    constexpr int Block = 1024;
    std::vector<float> out(Block * 2);
    for (int block = 0; block < 48; ++block) {
        loop.Render(out.data(), Block);
        if (loop.Position() > loop.LoopFrames() + Block) __builtin_trap();
    }
    return 0;
}
