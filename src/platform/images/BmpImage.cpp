#include "platform/images/BmpImage.h"

#include "platform/images/ImageBytes.h"

#include <cstdlib>

namespace platform {
namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoOffset = FileHeaderSize;
constexpr uint32_t CompressionNone = 0;
constexpr uint32_t CompressionBitFields = 3;

struct BmpHeader {
    uint32_t dataOffset = 0;
    uint32_t infoSize = 0;
    int32_t  width = 0;
    int32_t  height = 0;        // negative: rows run top-down
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
};

bool ReadHeader(const ImageBytes& in, BmpHeader& header)
{
    if (!in.Has(0, FileHeaderSize + 40) || in.U8(0) != 'B' || in.U8(1) != 'M') return false;
    header.dataOffset = in.U32(10);
    header.infoSize = in.U32(InfoOffset);
    if (header.infoSize < 40 || !in.Has(InfoOffset, header.infoSize)) return false;
    header.width = in.I32(InfoOffset + 4);
    header.height = in.I32(InfoOffset + 8);
    header.bitCount = in.U16(InfoOffset + 14);
    header.compression = in.U32(InfoOffset + 16);
    header.coloursUsed = in.U32(InfoOffset + 32);
    if (in.U16(InfoOffset + 12) != 1) return false;
    if (header.width <= 0 || header.width > MaxImageSide) return false;
    if (header.height == 0 || header.height < -MaxImageSide || header.height > MaxImageSide) return false;
    return true;
}

// Palette of an 8-bit picture as opaque ARGB; indices past its end read as opaque black.
bool ReadPalette(const ImageBytes& in, const BmpHeader& header, uint32_t palette[256])
{
    const uint32_t count = header.coloursUsed == 0 ? 256 : header.coloursUsed;
    if (count > 256) return false;
    const size_t offset = InfoOffset + header.infoSize;
    if (!in.Has(offset, count * 4)) return false;
    for (uint32_t i = 0; i < 256; ++i) {
        palette[i] = 0xff000000u;
        if (i < count) palette[i] |= in.U8(offset + 4 * i + 2) << 16 | in.U8(offset + 4 * i + 1) << 8 | in.U8(offset + 4 * i);
    }
    return true;
}

// Channel masks of a 32-bit picture: plain BGRA, or the masks the header gives.
bool ReadMasks(const ImageBytes& in, const BmpHeader& header, uint32_t masks[4])
{
    masks[0] = 0x00ff0000u; masks[1] = 0x0000ff00u; masks[2] = 0x000000ffu; masks[3] = 0xff000000u;
    if (header.compression == CompressionNone) return true;
    if (header.compression != CompressionBitFields) return false;
    // With the plain 40-byte header the three masks follow it; later headers hold all four.
    const size_t offset = InfoOffset + 40;
    if (!in.Has(offset, 12)) return false;
    for (int i = 0; i < 3; ++i) masks[i] = in.U32(offset + 4 * i);
    masks[3] = (header.infoSize >= 56 && in.Has(offset, 16)) ? in.U32(offset + 12) : 0;
    return true;
}

uint32_t DecodePixel32(uint32_t pixel, const ChannelMask channels[4])
{
    return channels[3].Extract(pixel, 255) << 24 | channels[0].Extract(pixel, 0) << 16 |
           channels[1].Extract(pixel, 0) << 8 | channels[2].Extract(pixel, 0);
}

// A 32-bit picture whose alpha is zero everywhere was written without alpha: show it opaque.
void MakeOpaqueIfAlphaUnused(DecodedImage& image)
{
    for (uint32_t pixel : image.pixels) {
        if ((pixel >> 24) != 0) return;
    }
    for (uint32_t& pixel : image.pixels) pixel |= 0xff000000u;
}

}  // namespace

bool DecodeBmp(std::span<const uint8_t> file, DecodedImage& image)
{
    image = DecodedImage();
    const ImageBytes in(file);
    BmpHeader header;
    if (!ReadHeader(in, header)) return false;
    const int bits = header.bitCount;
    if (bits != 8 && bits != 24 && bits != 32) return false;
    if (bits != 32 && header.compression != CompressionNone) return false;

    uint32_t palette[256] = {};
    uint32_t masks[4] = {};
    if (bits == 8 && !ReadPalette(in, header, palette)) return false;
    if (bits == 32 && !ReadMasks(in, header, masks)) return false;
    const ChannelMask channels[4] = {ChannelMask(masks[0]), ChannelMask(masks[1]), ChannelMask(masks[2]), ChannelMask(masks[3])};

    const int width = header.width;
    const int height = std::abs(header.height);
    const bool topDown = header.height < 0;
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (!in.Has(header.dataOffset, stride * height)) return false;

    DecodedImage decoded;
    decoded.width = width;
    decoded.height = height;
    decoded.pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        const size_t rowOffset = header.dataOffset + row * stride;
        uint32_t* out = &decoded.pixels[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x) {
            if (bits == 8) {
                out[x] = palette[in.U8(rowOffset + x)];
            } else if (bits == 24) {
                const size_t p = rowOffset + 3 * static_cast<size_t>(x);
                out[x] = 0xff000000u | in.U8(p + 2) << 16 | in.U8(p + 1) << 8 | in.U8(p);
            } else {
                out[x] = DecodePixel32(in.U32(rowOffset + 4 * static_cast<size_t>(x)), channels);
            }
        }
    }
    if (bits == 32) MakeOpaqueIfAlphaUnused(decoded);
    image = std::move(decoded);
    return true;
}

}  // namespace platform
