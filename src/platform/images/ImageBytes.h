#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

// Little-endian reads from a file held in memory; every read is checked against its end.
class ImageBytes {
public:
    explicit ImageBytes(std::span<const uint8_t> bytes_) : bytes(bytes_) {}

    bool Has(size_t offset, size_t count) const { return offset <= bytes.size() && count <= bytes.size() - offset; }
    uint8_t  U8(size_t offset) const  { return bytes[offset]; }
    uint16_t U16(size_t offset) const { return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8)); }
    uint32_t U32(size_t offset) const
    {
        return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
               (static_cast<uint32_t>(bytes[offset + 2]) << 16) | (static_cast<uint32_t>(bytes[offset + 3]) << 24);
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
    size_t Size() const { return bytes.size(); }
    const uint8_t* At(size_t offset) const { return bytes.data() + offset; }

private:
    std::span<const uint8_t> bytes;
};

// A channel picked out of a pixel by its bit mask, scaled to 0..255.
struct ChannelMask {
    uint32_t mask = 0;
    int      shift = 0;
    uint32_t maximum = 0;   // mask >> shift

    explicit ChannelMask(uint32_t mask_) : mask(mask_)
    {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        maximum = mask >> shift;
    }
    uint32_t Extract(uint32_t pixel, uint32_t absent) const
    {
        if (maximum == 0) return absent;
        const uint64_t value = (pixel & mask) >> shift;
        return static_cast<uint32_t>((value * 255u + maximum / 2u) / maximum);
    }
};

}  // namespace platform
