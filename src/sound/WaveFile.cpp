#include "sound/WaveFile.h"

#include <algorithm>
#include <cstring>

namespace {

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Read32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IdIs(const uint8_t* p, const char* id) { return std::memcmp(p, id, 4) == 0; }

// A chunk header seen while walking a RIFF file. Offsets are bytes from the start of the file;
// they are 64-bit so a size near 4 GiB cannot wrap around.
struct Chunk {
    uint64_t dataStart = 0;   // first byte after the 8-byte header
    uint64_t size      = 0;   // as the header claims, not clamped
    uint64_t End() const { return dataStart + size + (size & 1); }   // chunks are word-aligned
};

// The chunk header at `offset` if all 8 bytes of it lie before `limit`.
bool ChunkAt(const uint8_t* bytes, uint64_t offset, uint64_t limit, Chunk& chunk)
{
    if (offset + 8 > limit) return false;
    chunk.dataStart = offset + 8;
    chunk.size = Read32(bytes + offset + 4);
    return true;
}

// Finds the RIFF form of type WAVE among the file's top-level chunks.
bool FindWaveForm(const uint8_t* bytes, uint64_t size, Chunk& riff)
{
    for (uint64_t offset = 0; ChunkAt(bytes, offset, size, riff); offset = riff.End()) {
        if (!IdIs(bytes + offset, "RIFF")) continue;
        if (riff.dataStart + 4 <= size && IdIs(bytes + riff.dataStart, "WAVE")) return true;
    }
    return false;
}

// Searches the chunks from `offset` up to `limit` for one named `id`.
bool FindChunk(const uint8_t* bytes, uint64_t offset, uint64_t limit, const char* id, Chunk& found)
{
    for (; ChunkAt(bytes, offset, limit, found); offset = found.End()) {
        if (IdIs(bytes + offset, id)) return true;
    }
    return false;
}

}  // namespace

bool WaveFile::Parse(const uint8_t* bytes, size_t size)
{
    *this = WaveFile();
    Chunk riff;
    if (!FindWaveForm(bytes, size, riff)) return false;
    const uint64_t riffEnd = std::min<uint64_t>(riff.dataStart + riff.size, size);

    Chunk format;
    if (!ChunkAt(bytes, riff.dataStart + 4, riffEnd, format)) return false;
    if (format.dataStart + FormatReadBytes > size) return false;   // a short read
    const uint8_t* record = bytes + format.dataStart;
    if (Read16(record) != FormatPcm) return false;
    const uint16_t fileChannels = Read16(record + 2);
    const uint32_t fileRate = Read32(record + 4);
    const uint16_t fileBits = Read16(record + 14);
    if (fileChannels != 1 && fileChannels != 2) return false;
    if (fileBits != 8 && fileBits != 16) return false;
    if (fileRate < LowestRate || fileRate > HighestRate) return false;

    Chunk dataChunk;
    if (!FindChunk(bytes, format.End(), riffEnd, "data", dataChunk)) return false;
    if (dataChunk.dataStart + dataChunk.size > size) return false;   // a short read

    channels = fileChannels;
    samplesPerSecond = fileRate;
    bitsPerSample = fileBits;
    data.assign(bytes + dataChunk.dataStart, bytes + dataChunk.dataStart + dataChunk.size);
    return true;
}

uint32_t WaveFile::FrameCount() const
{
    const uint32_t frameBytes = channels * (bitsPerSample / 8u);
    return frameBytes == 0 ? 0 : static_cast<uint32_t>(data.size() / frameBytes);
}

int16_t WaveFile::SampleAt(uint32_t frame, uint16_t channel) const
{
    const uint16_t source = channel < channels ? channel : 0;   // mono feeds both sides
    if (bitsPerSample == 8) {
        const uint8_t value = data[static_cast<size_t>(frame) * channels + source];
        return static_cast<int16_t>((value - 128) * 256);
    }
    const size_t at = (static_cast<size_t>(frame) * channels + source) * 2;
    return static_cast<int16_t>(Read16(data.data() + at));
}

std::vector<int16_t> WaveFile::ToStereo16(uint32_t outputRate) const
{
    const uint32_t frames = FrameCount();
    if (frames == 0 || outputRate == 0) return {};
    const uint64_t outputFrames = (static_cast<uint64_t>(frames) * outputRate + samplesPerSecond - 1) / samplesPerSecond;
    if (outputFrames > LongestOutput) return {};
    std::vector<int16_t> out(static_cast<size_t>(outputFrames) * 2);
    for (uint64_t i = 0; i < outputFrames; ++i) {
        // Position in source frames as a whole part and a remainder over outputRate: exact,
        // so the same file always converts to the same samples.
        const uint64_t scaled = i * samplesPerSecond;
        const uint32_t whole = static_cast<uint32_t>(scaled / outputRate);
        const uint32_t remainder = static_cast<uint32_t>(scaled % outputRate);
        const uint32_t nextFrame = whole + 1 < frames ? whole + 1 : whole;
        for (uint16_t side = 0; side < 2; ++side) {
            const int64_t a = SampleAt(whole, side);
            const int64_t b = SampleAt(nextFrame, side);
            const int64_t mixed = a + (b - a) * remainder / outputRate;
            out[static_cast<size_t>(i) * 2 + side] = static_cast<int16_t>(mixed);
        }
    }
    return out;
}
