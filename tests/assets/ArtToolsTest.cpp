#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "AssetReaders.h"
#include "Canvas.h"
#include "EdgeBleed.h"
#include "ImageFiles.h"
#include "Noise.h"
#include "Palette.h"
#include "PixelMaps.h"
#include "Sculpture.h"

namespace {

constexpr Rgba red = Opaque(200, 30, 20);
constexpr Rgba blue = Opaque(20, 40, 220);

TEST(Palette, ReadsRampsAndColoursAndResolvesReferences)
{
    Palette palette;
    std::string error;
    ASSERT_TRUE(palette.Parse("# materials\nramp stone #101010 #808080 #f0f0f0  # dark to light\n"
                              "colour ink #20304080\n",
                              error))
        << error;
    EXPECT_EQ(palette.Size(), 2u);
    EXPECT_EQ(palette.Get("stone").size(), 3u);
    EXPECT_EQ(palette.Step("stone", -1), Opaque(0xf0, 0xf0, 0xf0));
    EXPECT_EQ(palette.Step("stone", 9), Opaque(0xf0, 0xf0, 0xf0));
    const std::pair<const char*, Rgba> references[] = {{"stone.1", Opaque(0x80, 0x80, 0x80)},
        {"ink", Rgba{0x20, 0x30, 0x40, 0x80}}, {"none", Transparent()}, {"#0a0B0c", Opaque(10, 11, 12)}};
    for (const auto& [reference, colour] : references) {
        Rgba out;
        EXPECT_TRUE(palette.Resolve(reference, out) && out == colour) << reference;
    }
    for (const char* unknown : {"stone.3", "stone.x", "marble"}) {
        Rgba out;
        EXPECT_FALSE(palette.Resolve(unknown, out)) << unknown;
    }
}

TEST(PixelMaps, ParsesMapsKeepingEveryCharacterAndPaintsThroughTheLegend)
{
    PixelMapBook book;
    std::string error;
    ASSERT_TRUE(book.Parse("# header comment\nlegend\n# ink\nr red\nend\n\nmap sign\n#r.\n.#?\nend\n", error)) << error;
    const PixelMap& map = book.Get("sign");
    EXPECT_EQ(map.Width(), 3);
    EXPECT_EQ(map.Height(), 2);
    EXPECT_EQ(map.At(0, 0), '#');
    EXPECT_EQ(map.At(5, 5), ' ');

    Palette palette;
    ASSERT_TRUE(palette.Parse("colour ink #000000\ncolour red #ff0000\n", error));
    Canvas painted;
    ASSERT_TRUE(book.Paint("sign", palette, painted, error)) << error;
    EXPECT_EQ(painted.At(0, 0), Opaque(0, 0, 0));
    EXPECT_EQ(painted.At(1, 0), Opaque(255, 0, 0));
    EXPECT_EQ(painted.At(2, 0).a, 0) << "'.' has no legend entry";
    EXPECT_EQ(painted.At(2, 1).a, 0) << "unknown characters stay transparent";

    Palette missing;
    ASSERT_TRUE(missing.Parse("colour ink #000000\n", error));
    EXPECT_FALSE(book.Paint("sign", missing, painted, error));
}

TEST(TextSources, RejectMalformedLinesAndBlocks)
{
    const char* faultyPalettes[] = {
        "ramp grey #101010\nshade x #202020\n",   // unknown keyword
        "ramp grey #10101\n",                      // short hex
        "ramp grey #1010zz\n",                     // not hex
        "ramp grey #101010\nramp grey #202020\n",  // defined twice
        "colour ink #101010 #202020\n",            // a colour is one value
        "ramp grey\n",                             // no colours
    };
    for (const char* text : faultyPalettes) {
        Palette palette;
        std::string error;
        EXPECT_FALSE(palette.Parse(text, error)) << text;
        EXPECT_NE(error.find("line"), std::string::npos) << error;
    }
    const char* faultyMaps[] = {
        "map a\n..\n...\nend\n",            // ragged rows
        "map a\n..\n",                      // no end
        "map a\nend\n",                     // no rows
        "map a\n.\nend\nmap a\n.\nend\n",   // twice
        "legend\nxy\nend\n",                // entry without a colour
        "picture a\n",                      // unknown block
    };
    for (const char* text : faultyMaps) {
        PixelMapBook book;
        std::string error;
        EXPECT_FALSE(book.Parse(text, error)) << text;
        EXPECT_FALSE(error.empty());
    }
}

TEST(Indexing, KeepsFewColoursExactlyDarkestFirstAndReducesManyWithSmallError)
{
    const auto worstError = [](const Canvas& picture, const IndexedPicture& indexed) {
        int worst = 0;
        for (size_t i = 0; i < picture.Pixels().size(); ++i) {
            const Rgba a = picture.Pixels()[i], b = indexed.palette[indexed.indices[i]];
            worst = std::max(worst, std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a));
        }
        return worst;
    };
    Canvas few(4, 1);
    few.Fill(red);
    few.Set(1, 0, blue);
    few.Set(2, 0, Opaque(250, 250, 250));
    const IndexedPicture exact = Index(few, 4);
    ASSERT_EQ(exact.palette.size(), 3u);
    EXPECT_TRUE(std::is_sorted(exact.palette.begin(), exact.palette.end(), [](Rgba a, Rgba b) { return Luma(a) < Luma(b); }));
    EXPECT_EQ(worstError(few, exact), 0);

    Canvas many(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) many.Set(x, y, Opaque(static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), 128));
    }
    const IndexedPicture reduced = Index(many, 40);
    ASSERT_EQ(reduced.palette.size(), 40u);
    EXPECT_LT(worstError(many, reduced), 90);
}

TEST(ImageFiles, BitmapsAndDdsKeepEveryPixelAndTheDeclaredPaletteSize)
{
    Canvas picture(5, 3);   // odd width: rows need padding to four bytes
    picture.Fill(blue);
    picture.Set(0, 0, red);
    picture.Set(1, 0, Rgba{1, 2, 3, 4});
    picture.Set(4, 2, Transparent());
    const Bytes eightBit = EncodeBmp8(picture, 138);
    EXPECT_EQ(Le32(eightBit, 46), 138u);
    EXPECT_EQ(Le32(eightBit, 10), 54u + 138u * 4u);
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
        if (f.keepsAlpha) {
            EXPECT_EQ(image.At(1, 0), 0x04010203u) << "alpha kept in the fourth byte";
            EXPECT_EQ(image.At(4, 2), 0x00000000u);
        }
    }
}

TEST(EdgeBleed, TransparentPixelsTakeNearbyColourButStayTransparentAndInside)
{
    Canvas canvas(8, 3);
    canvas.Set(1, 1, red);
    BleedTransparentEdges(canvas, 0, 0, 5, 3);
    EXPECT_EQ(canvas.At(1, 1), red);
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{2, 1}, std::pair{4, 2}}) {
        const Rgba bled = canvas.At(x, y);
        EXPECT_EQ(bled.a, 0);
        EXPECT_EQ((Rgba{bled.r, bled.g, bled.b, 255}), red) << x << "," << y;
    }
    EXPECT_EQ(canvas.At(6, 1), Transparent()) << "nothing leaks past the rectangle";

    Canvas empty(4, 4);
    BleedTransparentEdges(empty, 0, 0, 4, 4);
    EXPECT_EQ(empty.At(2, 2), Transparent());

    Canvas between(3, 1);   // a pixel between two colours takes their average
    between.Set(0, 0, Opaque(100, 0, 0));
    between.Set(2, 0, Opaque(0, 0, 200));
    BleedTransparentEdges(between, 0, 0, 3, 1);
    EXPECT_EQ(between.At(1, 0), (Rgba{50, 0, 100, 0}));
}

TEST(Sculpture, ShadesTowardTheTopLeftLightAndOutlinesTheSilhouette)
{
    const Ramp ramp = {Opaque(10, 10, 10), Opaque(60, 60, 60), Opaque(120, 120, 120), Opaque(180, 180, 180),
                       Opaque(240, 240, 240)};
    const Rgba outline = Opaque(1, 2, 3);
    Sculpture s(24, 24, outline);
    Look look;
    look.ramp = &ramp;
    s.Circle({12, 12}, 8, look);
    const Canvas c = s.Render();
    EXPECT_GT(Luma(c.At(8, 8)), Luma(c.At(16, 16)));
    EXPECT_EQ(c.At(12, 3), outline) << "the pixel just above the circle";
    EXPECT_EQ(c.At(12, 12).a, 255);
    EXPECT_EQ(c.At(12, 1).a, 0);
    EXPECT_EQ(c.At(2, 2).a, 0);
}

TEST(Sculpture, FrontPartsGetContourLinesAndHolesGetOutlined)
{
    const Ramp back = {Opaque(0, 0, 40), Opaque(0, 0, 90), Opaque(0, 0, 140), Opaque(0, 0, 190)};
    const Ramp front = {Opaque(40, 0, 0), Opaque(90, 0, 0), Opaque(140, 0, 0), Opaque(190, 0, 0)};
    Sculpture s(30, 30, Opaque(1, 1, 1));
    Look backLook;
    backLook.ramp = &back;
    backLook.roundness = 0;
    Look frontLook = backLook;
    frontLook.ramp = &front;
    s.Box(2, 2, 28, 28, backLook);
    s.Box(10, 10, 20, 20, frontLook);
    Look hole;
    hole.erase = true;
    s.Box(4, 4, 7, 7, hole);
    const Canvas c = s.Render();
    EXPECT_EQ(c.At(10, 15), front[0]) << "the front box's edge over the back one is a line";
    EXPECT_EQ(c.At(15, 15).r, front[2].r);
    EXPECT_EQ(c.At(25, 25), back[2]);
    EXPECT_EQ(c.At(20, 20), back[1]) << "shadow thrown down-right is one step darker";
    EXPECT_EQ(c.At(4, 5), Opaque(1, 1, 1)) << "a cut-out hole has an outline inside";
    EXPECT_EQ(c.At(5, 5).a, 0);
}

TEST(Noise, TiledNoiseRepeatsEveryPeriod)
{
    for (float x = 0; x < 48; x += 3.5f) {
        for (float y = 0; y < 48; y += 5.25f) {
            EXPECT_NEAR(TiledNoise(x, y, 12, 48, 7), TiledNoise(x + 48, y, 12, 48, 7), 1e-5f);
            EXPECT_NEAR(TiledFractal(x, y, 16, 48, 3, 7), TiledFractal(x, y - 48, 16, 48, 3, 7), 1e-5f);
        }
    }
    EXPECT_NE(TiledNoise(3.5f, 3.5f, 12, 48, 7), TiledNoise(3.5f, 3.5f, 12, 48, 8));
}

}  // namespace
