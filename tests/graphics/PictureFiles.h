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

inline void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value)
{
    if (bytes.size() < offset + 2) bytes.resize(offset + 2);
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

// The 128-byte DDS header with a pixel format of bit masks or a four-character code.
inline std::vector<uint8_t> DdsHeader(uint32_t width, uint32_t height, uint32_t formatFlags, uint32_t fourCC,
                                      uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a)
{
    std::vector<uint8_t> bytes(128, 0);
    std::memcpy(bytes.data(), "DDS ", 4);
    Put32(bytes, 4, 124);
    Put32(bytes, 8, 0x1007);
    Put32(bytes, 12, height);
    Put32(bytes, 16, width);
    Put32(bytes, 76, 32);
    Put32(bytes, 80, formatFlags);
    Put32(bytes, 84, fourCC);
    Put32(bytes, 88, bits);
    Put32(bytes, 92, r);
    Put32(bytes, 96, g);
    Put32(bytes, 100, b);
    Put32(bytes, 104, a);
    return bytes;
}

// Uncompressed 32-bit DDS; withAlpha false writes an X8R8G8B8 file (the alpha byte is junk).
inline std::vector<uint8_t> Dds32(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha)
{
    std::vector<uint8_t> bytes = DdsHeader(width, height, withAlpha ? 0x41 : 0x40, 0, 32, 0x00ff0000, 0x0000ff00,
                                           0x000000ff, withAlpha ? 0xff000000 : 0);
    for (uint32_t pixel : argb) {
        const size_t at = bytes.size();
        Put32(bytes, at, withAlpha ? pixel : (pixel & 0x00ffffffu) | 0x12000000u);
    }
    return bytes;
}

inline uint32_t FourCC(const char* code)
{
    return static_cast<uint32_t>(code[0]) | static_cast<uint32_t>(code[1]) << 8 |
           static_cast<uint32_t>(code[2]) << 16 | static_cast<uint32_t>(code[3]) << 24;
}

inline std::vector<uint8_t> DdsCompressed(int width, int height, const char* code, const std::vector<uint8_t>& blocks)
{
    std::vector<uint8_t> bytes = DdsHeader(width, height, 0x4, FourCC(code), 0, 0, 0, 0, 0);
    for (uint8_t byte : blocks) bytes.push_back(byte);
    return bytes;
}

// A BMP with the 40-byte header; rows padded to four bytes, written bottom-up unless topDown.
inline std::vector<uint8_t> Bmp(int width, int height, int bits, bool topDown, const std::vector<uint32_t>& argb,
                                const std::vector<uint32_t>& palette = {})
{
    const size_t paletteBytes = palette.size() * 4;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    const size_t dataOffset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> bytes(dataOffset + stride * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<uint32_t>(dataOffset));
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<uint32_t>(width));
    Put32(bytes, 22, static_cast<uint32_t>(topDown ? -height : height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, static_cast<uint16_t>(bits));
    Put32(bytes, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) Put32(bytes, 54 + 4 * i, palette[i] & 0x00ffffffu);
    for (int y = 0; y < height; ++y) {
        const int fileRow = topDown ? y : height - 1 - y;
        const size_t row = dataOffset + fileRow * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = argb[static_cast<size_t>(y) * width + x];
            if (bits == 8) {
                bytes[row + x] = static_cast<uint8_t>(pixel);   // the palette index
            } else if (bits == 24) {
                bytes[row + 3 * x] = static_cast<uint8_t>(pixel);
                bytes[row + 3 * x + 1] = static_cast<uint8_t>(pixel >> 8);
                bytes[row + 3 * x + 2] = static_cast<uint8_t>(pixel >> 16);
            } else {
                Put32(bytes, row + 4 * x, pixel);
            }
        }
    }
    return bytes;
}

}  // namespace picturefiles
