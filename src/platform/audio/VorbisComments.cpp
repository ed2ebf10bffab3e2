#include "platform/audio/VorbisComments.h"

#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr size_t PageHeaderBytes = 27;   // "OggS" up to the segment count

uint32_t LittleEndian32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) | (uint32_t{bytes[3]} << 24);
}

// The first `count` packets of the file, as far as it holds them (a packet cut short by the
// file's end is left out). Read page after page as the decoder reads them, whatever stream
// each page says it belongs to.
std::vector<std::vector<uint8_t>> FirstPackets(const uint8_t* file, size_t size, size_t count)
{
    std::vector<std::vector<uint8_t>> packets;
    std::vector<uint8_t> packet;
    size_t at = 0;
    while (packets.size() < count && size - at >= PageHeaderBytes && std::memcmp(file + at, "OggS", 4) == 0) {
        const uint8_t* page = file + at;
        const size_t segments = page[26];
        if (size - at - PageHeaderBytes < segments) break;
        const uint8_t* lacing = page + PageHeaderBytes;
        size_t body = at + PageHeaderBytes + segments;
        for (size_t s = 0; s < segments && packets.size() < count; ++s) {
            if (size - body < lacing[s]) return packets;
            packet.insert(packet.end(), file + body, file + body + lacing[s]);
            body += lacing[s];
            if (lacing[s] < 255) packets.push_back(std::move(packet)), packet.clear();
        }
        size_t pageBytes = PageHeaderBytes + segments;
        for (size_t s = 0; s < segments; ++s) pageBytes += lacing[s];
        if (size - at < pageBytes) break;
        at += pageBytes;
    }
    return packets;
}

// Reads a 32-bit length at `at` and steps over it and the bytes it counts; false when they run
// past the end.
bool SkipCounted(const std::vector<uint8_t>& packet, size_t& at)
{
    if (packet.size() - at < 4) return false;
    const uint32_t length = LittleEndian32(packet.data() + at);
    at += 4;
    if (packet.size() - at < length) return false;
    at += length;
    return true;
}

}  // namespace

bool VorbisCommentsFit(const uint8_t* file, size_t size)
{
    const std::vector<std::vector<uint8_t>> packets = FirstPackets(file, size, 2);
    if (packets.size() < 2) return true;
    const std::vector<uint8_t>& comments = packets[1];
    size_t at = 7;   // the packet type and "vorbis"
    if (comments.size() < at || !SkipCounted(comments, at) || comments.size() - at < 4) return false;
    const uint32_t count = LittleEndian32(comments.data() + at);
    at += 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (!SkipCounted(comments, at)) return false;
    }
    return true;
}

}  // namespace platform
