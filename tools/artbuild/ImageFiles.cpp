#include "ImageFiles.h"

#include <algorithm>
#include <map>

namespace {

void Put16(Bytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(Bytes& out, uint32_t value)
{
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

uint32_t PackKey(Rgba c)
{
    return (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
}

Rgba Unpack(uint32_t key)
{
    return Opaque(static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key));
}

bool DarkerFirst(Rgba a, Rgba b)
{
    const float la = Luma(a);
    const float lb = Luma(b);
    if (la != lb) return la < lb;
    return PackKey(a) < PackKey(b);
}

size_t Nearest(const std::vector<Rgba>& palette, Rgba colour)
{
    size_t best = 0;
    int bestDistance = ColourDistance(palette[0], colour);
    for (size_t i = 1; i < palette.size(); ++i) {
        const int distance = ColourDistance(palette[i], colour);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

// Frequency-weighted merging of the two closest colours until few enough remain.
std::vector<Rgba> ReducedPalette(const std::map<uint32_t, int>& counts, size_t maxColours)
{
    struct Entry {
        float r, g, b;
        int weight;
    };
    // Pictures with thousands of colours are first coarsened, one bit per channel at a time,
    // so the pairwise merging below stays quick.
    std::map<uint32_t, int> coarse = counts;
    for (uint32_t mask = 0xfefefe; coarse.size() > 4 * maxColours; mask = (mask << 1) & 0xfefefe) {
        std::map<uint32_t, int> merged;
        for (const auto& [key, count] : counts) merged[key & mask] += count;
        coarse.swap(merged);
    }
    std::vector<Entry> entries;
    for (const auto& [key, count] : coarse) {
        const Rgba c = Unpack(key);
        entries.push_back({static_cast<float>(c.r), static_cast<float>(c.g), static_cast<float>(c.b), count});
    }
    const auto colourOf = [](const Entry& e) {
        return Opaque(static_cast<uint8_t>(e.r + 0.5f), static_cast<uint8_t>(e.g + 0.5f),
                      static_cast<uint8_t>(e.b + 0.5f));
    };
    while (entries.size() > maxColours) {
        size_t bestA = 0, bestB = 1;
        float bestCost = -1.0f;
        for (size_t a = 0; a < entries.size(); ++a) {
            for (size_t b = a + 1; b < entries.size(); ++b) {
                const float distance = static_cast<float>(ColourDistance(colourOf(entries[a]), colourOf(entries[b])));
                const float cost = distance * static_cast<float>(std::min(entries[a].weight, entries[b].weight));
                if (bestCost < 0.0f || cost < bestCost) {
                    bestCost = cost;
                    bestA = a;
                    bestB = b;
                }
            }
        }
        Entry& keep = entries[bestA];
        const Entry& gone = entries[bestB];
        const float total = static_cast<float>(keep.weight + gone.weight);
        keep.r = (keep.r * keep.weight + gone.r * gone.weight) / total;
        keep.g = (keep.g * keep.weight + gone.g * gone.weight) / total;
        keep.b = (keep.b * keep.weight + gone.b * gone.weight) / total;
        keep.weight += gone.weight;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(bestB));
    }
    std::vector<Rgba> palette;
    for (const Entry& e : entries) palette.push_back(colourOf(e));
    return palette;
}

void PutFileHeader(Bytes& out, uint32_t fileSize, uint32_t pixelOffset)
{
    out.push_back('B');
    out.push_back('M');
    Put32(out, fileSize);
    Put32(out, 0);
    Put32(out, pixelOffset);
}

void PutInfoHeader(Bytes& out, const Canvas& picture, int bitsPerPixel, uint32_t imageSize, uint32_t coloursUsed)
{
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(picture.Width()));
    Put32(out, static_cast<uint32_t>(picture.Height()));  // positive: bottom-up rows
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dots per inch
    Put32(out, 2835);
    Put32(out, coloursUsed);
    Put32(out, 0);
}

uint32_t RowBytes(int width, int bitsPerPixel)
{
    return static_cast<uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

}  // namespace

Bytes EncodeDds(const Canvas& picture)
{
    Bytes out;
    out.insert(out.end(), {'D', 'D', 'S', ' '});
    Put32(out, 124);
    Put32(out, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000 | 0x20000);  // caps, height, width, pitch, format, mip count
    Put32(out, static_cast<uint32_t>(picture.Height()));
    Put32(out, static_cast<uint32_t>(picture.Width()));
    Put32(out, static_cast<uint32_t>(picture.Width()) * 4);
    Put32(out, 0);  // depth
    Put32(out, 1);  // mip levels
    for (int i = 0; i < 11; ++i) Put32(out, 0);
    Put32(out, 32);           // pixel format size
    Put32(out, 0x40 | 0x1);   // DDPF_RGB | DDPF_ALPHAPIXELS
    Put32(out, 0);            // no FourCC
    Put32(out, 32);
    Put32(out, 0x00ff0000);
    Put32(out, 0x0000ff00);
    Put32(out, 0x000000ff);
    Put32(out, 0xff000000);
    Put32(out, 0x1000);  // DDSCAPS_TEXTURE
    for (int i = 0; i < 4; ++i) Put32(out, 0);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgba c = picture.At(x, y);
            out.insert(out.end(), {c.b, c.g, c.r, c.a});
        }
    }
    return out;
}

IndexedPicture Index(const Canvas& picture, size_t maxColours)
{
    std::map<uint32_t, int> counts;
    for (const Rgba& c : picture.Pixels()) ++counts[PackKey(c)];
    IndexedPicture result;
    if (counts.size() <= maxColours) {
        for (const auto& entry : counts) result.palette.push_back(Unpack(entry.first));
    } else {
        result.palette = ReducedPalette(counts, maxColours);
    }
    std::sort(result.palette.begin(), result.palette.end(), DarkerFirst);
    std::map<uint32_t, uint8_t> lookup;
    for (const auto& entry : counts) lookup[entry.first] = static_cast<uint8_t>(Nearest(result.palette, Unpack(entry.first)));
    for (const Rgba& c : picture.Pixels()) result.indices.push_back(lookup[PackKey(c)]);
    return result;
}

Bytes EncodeBmp8(const Canvas& picture, int paletteEntries)
{
    const IndexedPicture indexed = Index(picture, static_cast<size_t>(paletteEntries));
    const uint32_t rowBytes = RowBytes(picture.Width(), 8);
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(picture.Height());
    const uint32_t pixelOffset = 14 + 40 + 4 * static_cast<uint32_t>(paletteEntries);
    Bytes out;
    PutFileHeader(out, pixelOffset + imageSize, pixelOffset);
    PutInfoHeader(out, picture, 8, imageSize, static_cast<uint32_t>(paletteEntries));
    for (int i = 0; i < paletteEntries; ++i) {
        const Rgba c = i < static_cast<int>(indexed.palette.size()) ? indexed.palette[static_cast<size_t>(i)]
                                                                     : Opaque(0, 0, 0);
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    for (int y = picture.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.Width(); ++x)
            out.push_back(indexed.indices[static_cast<size_t>(y) * picture.Width() + x]);
        for (uint32_t pad = static_cast<uint32_t>(picture.Width()); pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Bytes EncodeBmp24(const Canvas& picture)
{
    const uint32_t rowBytes = RowBytes(picture.Width(), 24);
    const uint32_t imageSize = rowBytes * static_cast<uint32_t>(picture.Height());
    Bytes out;
    PutFileHeader(out, 54 + imageSize, 54);
    PutInfoHeader(out, picture, 24, imageSize, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgba c = picture.At(x, y);
            out.insert(out.end(), {c.b, c.g, c.r});
        }
        for (uint32_t pad = static_cast<uint32_t>(picture.Width()) * 3; pad < rowBytes; ++pad) out.push_back(0);
    }
    return out;
}

Bytes EncodeBmp32(const Canvas& picture)
{
    const uint32_t imageSize = static_cast<uint32_t>(picture.Width() * picture.Height() * 4);
    Bytes out;
    PutFileHeader(out, 54 + imageSize, 54);
    PutInfoHeader(out, picture, 32, imageSize, 0);
    for (int y = picture.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const Rgba c = picture.At(x, y);
            out.insert(out.end(), {c.b, c.g, c.r, c.a});
        }
    }
    return out;
}
