#include "AssetReaders.h"

#include <fstream>
#include <iterator>

namespace {

uint32_t Read32(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t Read16(std::span<const uint8_t> bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

}  // namespace

std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<DdsPicture> ReadDds(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 128 || bytes[0] != 'D' || bytes[1] != 'D' || bytes[2] != 'S' || bytes[3] != ' ')
        return std::nullopt;
    if (Read32(bytes, 4) != 124 || Read32(bytes, 76) != 32) return std::nullopt;
    DdsPicture dds;
    dds.flags = Read32(bytes, 8);
    dds.height = Read32(bytes, 12);
    dds.width = Read32(bytes, 16);
    dds.pitch = Read32(bytes, 20);
    dds.mipLevels = Read32(bytes, 28);
    dds.formatFlags = Read32(bytes, 80);
    dds.fourCC = Read32(bytes, 84);
    dds.bitCount = Read32(bytes, 88);
    for (int i = 0; i < 4; ++i) dds.masks[i] = Read32(bytes, 92 + 4 * static_cast<size_t>(i));
    dds.caps = Read32(bytes, 108);
    if (dds.bitCount != 32 || dds.width == 0 || dds.height == 0 || dds.width > 4096 || dds.height > 4096)
        return std::nullopt;
    const size_t count = static_cast<size_t>(dds.width) * dds.height;
    if (bytes.size() < 128 + count * 4) return std::nullopt;
    dds.argb.resize(count);
    for (size_t i = 0; i < count; ++i) dds.argb[i] = Read32(bytes, 128 + i * 4);
    return dds;
}

std::optional<BmpPicture> ReadBmp(std::span<const uint8_t> bytes, std::string& error)
{
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
        error = "no BM file header";
        return std::nullopt;
    }
    BmpPicture bmp;
    bmp.fileSize = Read32(bytes, 2);
    bmp.pixelOffset = Read32(bytes, 10);
    if (Read32(bytes, 14) != 40) {
        error = "info header is not 40 bytes";
        return std::nullopt;
    }
    bmp.width = static_cast<int32_t>(Read32(bytes, 18));
    bmp.height = static_cast<int32_t>(Read32(bytes, 22));
    bmp.bitsPerPixel = Read16(bytes, 28);
    bmp.compression = Read32(bytes, 30);
    bmp.coloursUsed = Read32(bytes, 46);
    if (Read16(bytes, 26) != 1 || bmp.width <= 0 || bmp.height == 0 || bmp.width > 4096 ||
        bmp.height > 4096 || bmp.height < -4096) {
        error = "bad planes or size";
        return std::nullopt;
    }
    if (bmp.bitsPerPixel != 8 && bmp.bitsPerPixel != 24 && bmp.bitsPerPixel != 32) {
        error = "unsupported depth";
        return std::nullopt;
    }
    if (bmp.fileSize != bytes.size()) {
        error = "file size field disagrees with the file";
        return std::nullopt;
    }
    const uint32_t paletteEntries = bmp.bitsPerPixel == 8 ? (bmp.coloursUsed ? bmp.coloursUsed : 256) : 0;
    if (paletteEntries > 256 || 54 + static_cast<size_t>(paletteEntries) * 4 > bmp.pixelOffset) {
        error = "palette does not fit before the pixels";
        return std::nullopt;
    }
    for (uint32_t i = 0; i < paletteEntries; ++i) bmp.palette.push_back(Read32(bytes, 54 + 4 * static_cast<size_t>(i)) & 0xffffff);
    const int rows = bmp.height > 0 ? bmp.height : -bmp.height;
    const size_t rowBytes = (static_cast<size_t>(bmp.width) * bmp.bitsPerPixel + 31) / 32 * 4;
    if (bmp.pixelOffset + rowBytes * rows > bytes.size()) {
        error = "pixel rows run past the end";
        return std::nullopt;
    }
    bmp.pixels.resize(static_cast<size_t>(bmp.width) * rows);
    for (int row = 0; row < rows; ++row) {
        const int y = bmp.height > 0 ? rows - 1 - row : row;
        const size_t start = bmp.pixelOffset + rowBytes * row;
        for (int x = 0; x < bmp.width; ++x) {
            uint32_t pixel = 0;
            if (bmp.bitsPerPixel == 8) {
                const uint8_t index = bytes[start + x];
                if (index >= bmp.palette.size()) {
                    error = "pixel index past the palette";
                    return std::nullopt;
                }
                bmp.indices.push_back(index);
                pixel = 0xff000000u | bmp.palette[index];
            } else if (bmp.bitsPerPixel == 24) {
                const size_t at = start + static_cast<size_t>(x) * 3;
                pixel = 0xff000000u | bytes[at + 2] << 16 | bytes[at + 1] << 8 | bytes[at];
            } else {
                pixel = Read32(bytes, start + static_cast<size_t>(x) * 4);
            }
            bmp.pixels[static_cast<size_t>(y) * bmp.width + x] = pixel;
        }
    }
    if (bmp.bitsPerPixel == 8 && bmp.height > 0) {
        // indices were collected bottom row first; put them top row first like the pixels
        std::vector<uint8_t> topFirst(bmp.indices.size());
        for (int row = 0; row < rows; ++row) {
            for (int x = 0; x < bmp.width; ++x)
                topFirst[static_cast<size_t>(rows - 1 - row) * bmp.width + x] = bmp.indices[static_cast<size_t>(row) * bmp.width + x];
        }
        bmp.indices.swap(topFirst);
    }
    return bmp;
}
