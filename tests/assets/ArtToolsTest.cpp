// What the build's own pictures cannot show about the art builder: how it answers a broken
// source, the colour it gives transparent pixels, and whether every file format it writes reads
// back through the game's decoders.
#include <gtest/gtest.h>

#include <string>

#include "AssetReaders.h"
#include "Canvas.h"
#include "EdgeBleed.h"
#include "ImageFiles.h"
#include "Palette.h"
#include "PixelMaps.h"

namespace {

constexpr Rgba red = Opaque(200, 30, 20);
constexpr Rgba blue = Opaque(20, 40, 220);

template <class Source>
std::string ErrorOf(const char* text)
{
    Source source;
    std::string error;
    return source.Parse(text, error) ? "accepted" : error;
}

TEST(ArtSources, MistakesAreRefusedSayingWhereAndWhat)
{
    const struct { std::string (*parse)(const char*); const char* text; const char* said; } mistakes[] = {
        {ErrorOf<Palette>, "ramp grey #101010\nshade x #202020\n", "line 2: expected 'ramp' or 'colour'"},
        {ErrorOf<Palette>, "\nramp grey #10101\n", "line 2: '#10101' is not a #rrggbb colour"},
        {ErrorOf<Palette>, "ramp grey #101010\nramp grey #202020\n", "line 2: 'grey' is defined twice"},
        {ErrorOf<Palette>, "colour ink #101010 #202020\n", "line 1: expected a name and one colour"},
        {ErrorOf<PixelMapBook>, "map a\n..\n...\nend\n", "line 3: row of map 'a' is 3 wide"},
        {ErrorOf<PixelMapBook>, "map a\n..", "the last block has no 'end'"},
        {ErrorOf<PixelMapBook>, "map a\nend\n", "line 2: map 'a' has no rows"},
        {ErrorOf<PixelMapBook>, "map a\n.\nend\nmap a\n.\nend\n", "line 4: map 'a' is defined twice"},
        {ErrorOf<PixelMapBook>, "legend\nxy\nend\n", "line 2: a legend entry is one character and one colour"},
        {ErrorOf<PixelMapBook>, "# maps\npicture a\n", "line 2: expected 'legend' or 'map NAME'"},
    };
    for (const auto& m : mistakes) EXPECT_NE(m.parse(m.text).find(m.said), std::string::npos) << m.parse(m.text);
}

// Linear filtering and mip levels mix a transparent pixel's colour into the edge beside it.
TEST(EdgeBleed, TransparentPixelsTakeNearbyColourButStayTransparentAndInside)
{
    Canvas canvas(8, 3);
    canvas.Set(1, 1, red);
    BleedTransparentEdges(canvas, 0, 0, 5, 3);
    EXPECT_EQ(canvas.At(1, 1), red);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{2, 1}, std::pair{4, 2}})
        EXPECT_EQ(canvas.At(x, y), (Rgba{red.r, red.g, red.b, 0})) << x << "," << y;
    EXPECT_EQ(canvas.At(6, 1), Transparent()) << "nothing leaks past the rectangle";
}

TEST(ImageFiles, EveryFormatReadsBackThroughTheGameDecoders)
{
    Canvas picture(5, 3);   // odd width: rows need padding to four bytes
    picture.Fill(blue);
    picture.Set(0, 0, red);
    picture.Set(1, 0, Rgba{1, 2, 3, 4});
    picture.Set(4, 2, Transparent());
    const Bytes eightBit = EncodeBmp8(picture, 138);
    EXPECT_EQ(Le32(eightBit, 46), 138u) << "the declared palette size";
    EXPECT_EQ(Le32(eightBit, 22), 3u) << "positive height: bottom-up rows";
    const struct { Bytes file; bool dds, keepsAlpha; } files[] = {
        {eightBit, false, false}, {EncodeBmp24(picture), false, false}, {EncodeBmp32(picture), false, true},
        {EncodeDds(picture), true, true}};
    for (const auto& f : files) {
        platform::DecodedImage image;
        ASSERT_TRUE(f.dds ? platform::DecodeDds(f.file, image) : platform::DecodeBmp(f.file, image));
        ASSERT_EQ(image.width, 5);
        EXPECT_EQ(image.At(0, 0), 0xffc81e14u);
        EXPECT_EQ(image.At(3, 2), 0xff1428dcu);
        EXPECT_EQ(image.At(1, 0), f.keepsAlpha ? 0x04010203u : 0xff010203u);
        EXPECT_EQ(image.At(4, 2), f.keepsAlpha ? 0x00000000u : 0xff000000u);
    }
}

}  // namespace
