#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Independent readers for the files the art build writes, so the tests check the bytes against
// the formats themselves rather than against the builder's own encoders.

std::vector<uint8_t> ReadFileBytes(const std::string& path);

struct DdsPicture {
    uint32_t flags = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pitch = 0;
    uint32_t mipLevels = 0;
    uint32_t formatFlags = 0;
    uint32_t fourCC = 0;
    uint32_t bitCount = 0;
    uint32_t masks[4] = {};     // red, green, blue, alpha
    uint32_t caps = 0;
    std::vector<uint32_t> argb;  // row-major, top row first

    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    static uint8_t Alpha(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 24); }
};

// Accepts only an uncompressed 32-bit DDS whose pixel data is all there; nullopt otherwise.
std::optional<DdsPicture> ReadDds(std::span<const uint8_t> bytes);

struct BmpPicture {
    uint32_t fileSize = 0;       // as the header says
    uint32_t pixelOffset = 0;
    int32_t width = 0;
    int32_t height = 0;          // positive: bottom-up
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> pixels;   // 0xAARRGGBB, top row first (alpha 0xff without an alpha channel)
    std::vector<uint8_t> indices;   // 8-bit pictures only, top row first

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads a complete BMP file (file header, 40-byte info header, optional palette, BI_RGB rows
// of 8, 24 or 32 bits). Returns nullopt and the reason in `error` for anything malformed.
std::optional<BmpPicture> ReadBmp(std::span<const uint8_t> bytes, std::string& error);
