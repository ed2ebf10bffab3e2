#pragma once
// Small DDS and BMP files made on the spot, so the decoders meet every layout they must read.
#include <cstdint>
#include <cstring>
#include <vector>

namespace picturefiles {

inline void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    if (bytes.size() < offset + 4) bytes.resize(offset + 4);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The 128-byte DDS header with a pixel format of bit masks (alpha mask a) or, given a code, compressed.
inline std::vector<uint8_t> DdsHeader(uint32_t width, uint32_t height, const char* code, uint32_t a = 0xff000000)
{
    std::vector<uint8_t> bytes(128, 0);
    std::memcpy(bytes.data(), "DDS ", 4);
    const uint32_t fields[][2] = {{4, 124}, {8, 0x1007}, {12, height}, {16, width}, {76, 32}};
    for (const auto& [offset, value] : fields) Put32(bytes, offset, value);
    if (code) {
        Put32(bytes, 80, 0x4);
        std::memcpy(bytes.data() + 84, code, 4);
        return bytes;
    }
    const uint32_t format[][2] = {{80, a ? 0x41u : 0x40u}, {88, 32}, {92, 0xff0000}, {96, 0xff00}, {100, 0xff}, {104, a}};
    for (const auto& [offset, value] : format) Put32(bytes, offset, value);
    return bytes;
}

// Uncompressed 32-bit DDS; withAlpha false writes an X8R8G8B8 file (the alpha byte is junk).
inline std::vector<uint8_t> Dds32(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha)
{
    std::vector<uint8_t> bytes = DdsHeader(width, height, nullptr, withAlpha ? 0xff000000 : 0);
    for (uint32_t pixel : argb) Put32(bytes, bytes.size(), withAlpha ? pixel : (pixel & 0x00ffffffu) | 0x12000000u);
    return bytes;
}

inline std::vector<uint8_t> DdsCompressed(int width, int height, const char* code, const std::vector<uint8_t>& blocks)
{
    std::vector<uint8_t> bytes = DdsHeader(width, height, code);
    bytes.insert(bytes.end(), blocks.begin(), blocks.end());
    return bytes;
}

// A BMP with the 40-byte header; rows padded to four bytes, written bottom-up unless topDown.
inline std::vector<uint8_t> Bmp(int width, int height, int bits, bool topDown, const std::vector<uint32_t>& argb,
                                const std::vector<uint32_t>& palette = {})
{
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t dataOffset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> bytes(dataOffset + stride * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    bytes[26] = 1;   // planes
    bytes[28] = static_cast<uint8_t>(bits);
    const uint32_t fields[][2] = {{2, static_cast<uint32_t>(bytes.size())}, {10, static_cast<uint32_t>(dataOffset)},
        {14, 40}, {18, static_cast<uint32_t>(width)}, {22, static_cast<uint32_t>(topDown ? -height : height)},
        {46, static_cast<uint32_t>(palette.size())}};
    for (const auto& [offset, value] : fields) Put32(bytes, offset, value);
    for (size_t i = 0; i < palette.size(); ++i) Put32(bytes, 54 + 4 * i, palette[i] & 0x00ffffffu);
    for (int y = 0; y < height; ++y) {
        const size_t row = dataOffset + (topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = argb[static_cast<size_t>(y) * width + x];
            for (int i = 0; i < bits / 8; ++i) bytes[row + x * bits / 8 + i] = static_cast<uint8_t>(pixel >> (8 * i));
        }
    }
    return bytes;
}

}  // namespace picturefiles
