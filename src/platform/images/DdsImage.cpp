#include "platform/images/DdsImage.h"

#include "platform/images/ImageBytes.h"

namespace platform {
namespace {

constexpr size_t HeaderOffset = 4;      // after the "DDS " magic
constexpr size_t HeaderSize = 124;
constexpr size_t DataOffset = HeaderOffset + HeaderSize;
constexpr size_t PixelFormatOffset = HeaderOffset + 72;

constexpr uint32_t FlagAlphaPixels = 0x1;
constexpr uint32_t FlagFourCC = 0x4;
constexpr uint32_t FlagRgb = 0x40;

constexpr uint32_t FourCC(char a, char b, char c, char d)
{
    return static_cast<uint32_t>(a) | (static_cast<uint32_t>(b) << 8) | (static_cast<uint32_t>(c) << 16) |
           (static_cast<uint32_t>(d) << 24);
}

struct PixelFormat {
    uint32_t flags = 0;
    uint32_t fourCC = 0;
    uint32_t bitCount = 0;
    uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
};

PixelFormat ReadPixelFormat(const ImageBytes& in)
{
    PixelFormat format;
    format.flags = in.U32(PixelFormatOffset + 4);
    format.fourCC = in.U32(PixelFormatOffset + 8);
    format.bitCount = in.U32(PixelFormatOffset + 12);
    format.redMask = in.U32(PixelFormatOffset + 16);
    format.greenMask = in.U32(PixelFormatOffset + 20);
    format.blueMask = in.U32(PixelFormatOffset + 24);
    format.alphaMask = in.U32(PixelFormatOffset + 28);
    return format;
}

bool DecodeMasked(const ImageBytes& in, const PixelFormat& format, DecodedImage& image)
{
    const uint32_t bytesPerPixel = format.bitCount / 8;
    if (format.bitCount % 8 != 0 || bytesPerPixel < 1 || bytesPerPixel > 4) return false;
    const size_t pitch = static_cast<size_t>(image.width) * bytesPerPixel;
    if (!in.Has(DataOffset, pitch * image.height)) return false;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);

    const ChannelMask red(format.redMask), green(format.greenMask), blue(format.blueMask);
    const ChannelMask alpha((format.flags & FlagAlphaPixels) ? format.alphaMask : 0);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const size_t offset = DataOffset + y * pitch + x * bytesPerPixel;
            uint32_t pixel = 0;
            for (uint32_t b = 0; b < bytesPerPixel; ++b) pixel |= static_cast<uint32_t>(in.U8(offset + b)) << (8 * b);
            image.pixels[static_cast<size_t>(y) * image.width + x] =
                (alpha.Extract(pixel, 255) << 24) | (red.Extract(pixel, 0) << 16) |
                (green.Extract(pixel, 0) << 8) | blue.Extract(pixel, 0);
        }
    }
    return true;
}

uint32_t Expand565(uint16_t colour)
{
    const uint32_t r = (colour >> 11) & 31, g = (colour >> 5) & 63, b = colour & 31;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

uint32_t Mix(uint32_t a, uint32_t b, uint32_t weightA, uint32_t weightB)
{
    const uint32_t total = weightA + weightB;
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t channel = (((a >> shift) & 255) * weightA + ((b >> shift) & 255) * weightB) / total;
        result |= channel << shift;
    }
    return result;
}

// The four RGB colours of a colour block and whether index 3 is transparent black.
void ColourPalette(const uint8_t* block, bool allowTransparent, uint32_t palette[4], bool& transparent3)
{
    const uint16_t c0 = static_cast<uint16_t>(block[0] | block[1] << 8);
    const uint16_t c1 = static_cast<uint16_t>(block[2] | block[3] << 8);
    palette[0] = Expand565(c0);
    palette[1] = Expand565(c1);
    transparent3 = false;
    if (c0 > c1 || !allowTransparent) {
        palette[2] = Mix(palette[0], palette[1], 2, 1);
        palette[3] = Mix(palette[0], palette[1], 1, 2);
    } else {
        palette[2] = Mix(palette[0], palette[1], 1, 1);
        palette[3] = 0;
        transparent3 = true;
    }
}

void AlphaPalette(const uint8_t* block, uint32_t alphas[8])
{
    const uint32_t a0 = block[0], a1 = block[1];
    alphas[0] = a0;
    alphas[1] = a1;
    if (a0 > a1) {
        for (uint32_t i = 1; i <= 6; ++i) alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (uint32_t i = 1; i <= 4; ++i) alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        alphas[6] = 0;
        alphas[7] = 255;
    }
}

void DecodeBlock(const uint8_t* block, uint32_t fourCC, DecodedImage& image, int blockX, int blockY)
{
    const bool dxt1 = fourCC == FourCC('D', 'X', 'T', '1');
    const uint8_t* colourBlock = dxt1 ? block : block + 8;
    uint32_t palette[4];
    bool transparent3 = false;
    ColourPalette(colourBlock, dxt1, palette, transparent3);
    uint32_t alphas[8] = {};
    uint64_t alphaBits = 0;
    if (fourCC == FourCC('D', 'X', 'T', '5')) {
        AlphaPalette(block, alphas);
        for (int i = 0; i < 6; ++i) alphaBits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    }
    const uint32_t colourBits = colourBlock[4] | colourBlock[5] << 8 | colourBlock[6] << 16 |
                                static_cast<uint32_t>(colourBlock[7]) << 24;
    for (int i = 0; i < 16; ++i) {
        const int x = blockX * 4 + i % 4, y = blockY * 4 + i / 4;
        if (x >= image.width || y >= image.height) continue;
        const uint32_t index = (colourBits >> (2 * i)) & 3;
        uint32_t alpha = 255;
        if (dxt1) {
            alpha = (transparent3 && index == 3) ? 0 : 255;
        } else if (fourCC == FourCC('D', 'X', 'T', '3')) {
            alpha = ((block[i / 2] >> (4 * (i % 2))) & 15) * 17;
        } else {
            alpha = alphas[(alphaBits >> (3 * i)) & 7];
        }
        image.pixels[static_cast<size_t>(y) * image.width + x] = (alpha << 24) | palette[index];
    }
}

bool DecodeCompressed(const ImageBytes& in, uint32_t fourCC, DecodedImage& image)
{
    const bool dxt1 = fourCC == FourCC('D', 'X', 'T', '1');
    if (!dxt1 && fourCC != FourCC('D', 'X', 'T', '3') && fourCC != FourCC('D', 'X', 'T', '5')) return false;
    const int blocksWide = (image.width + 3) / 4, blocksHigh = (image.height + 3) / 4;
    const size_t blockBytes = dxt1 ? 8 : 16;
    if (!in.Has(DataOffset, blockBytes * blocksWide * blocksHigh)) return false;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    for (int by = 0; by < blocksHigh; ++by) {
        for (int bx = 0; bx < blocksWide; ++bx) {
            DecodeBlock(in.At(DataOffset + (static_cast<size_t>(by) * blocksWide + bx) * blockBytes), fourCC, image, bx, by);
        }
    }
    return true;
}

}  // namespace

bool DecodeDds(std::span<const uint8_t> file, DecodedImage& image)
{
    image = DecodedImage();
    const ImageBytes in(file);
    if (!in.Has(0, DataOffset) || in.U32(0) != FourCC('D', 'D', 'S', ' ') || in.U32(HeaderOffset) != HeaderSize) return false;
    const uint32_t height = in.U32(HeaderOffset + 8);
    const uint32_t width = in.U32(HeaderOffset + 12);
    if (width == 0 || height == 0 || width > MaxImageSide || height > MaxImageSide) return false;

    DecodedImage decoded;
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    const PixelFormat format = ReadPixelFormat(in);
    bool ok = false;
    if (format.flags & FlagFourCC) {
        ok = DecodeCompressed(in, format.fourCC, decoded);
    } else if (format.flags & FlagRgb) {
        ok = DecodeMasked(in, format, decoded);
    }
    if (ok) image = std::move(decoded);
    return ok;
}

}  // namespace platform
