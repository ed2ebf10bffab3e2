#include "sound/WaveFile.h"
#include "SoundTestFiles.h"

namespace {

bool Parses(const std::vector<uint8_t>& bytes)
{
    WaveFile wave;
    return wave.Parse(bytes.data(), bytes.size());
}

// The plain layout of the game's own files is read by the checks of the built sounds. Tolerated
// besides: an 18-byte format, other chunks before the data (an odd one padded to a word) and
// any name on the first sub-chunk, which is always read as the format.
TEST(WaveFile, ReadsTheFormatFromTheFirstSubChunkAndSearchesForTheData)
{
    WaveFile wave;
    std::vector<uint8_t> extended = RiffBuilder::PcmFormat(2, 11025, 8);
    extended.insert(extended.end(), {0, 0});   // cbSize
    const auto withExtension = RiffBuilder().Chunk("LIST", extended).Chunk("fact", {1, 2, 3})
                                   .Chunk("LIST", std::vector<uint8_t>(10, 7)).Chunk("data", {1, 2, 3, 4}).Wave();
    ASSERT_TRUE(wave.Parse(withExtension.data(), withExtension.size()));
    EXPECT_EQ(wave.Channels(), 2);
    EXPECT_EQ(wave.SamplesPerSecond(), 11025u);
    EXPECT_EQ(wave.Data(), (std::vector<uint8_t>{1, 2, 3, 4}));

    // So a real format chunk behind a leading chunk is never reached.
    const auto formatSecond = RiffBuilder().Chunk("LIST", {'I', 'N', 'F', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
                                  .Chunk("fmt ", RiffBuilder::PcmFormat(1, 8000, 8)).Chunk("data", {128}).Wave();
    EXPECT_FALSE(Parses(formatSecond));
}

TEST(WaveFile, RefusesWhatTheLoaderRefusesAndEveryShortRead)
{
    const auto data = RiffBuilder::Samples16({1, 2});
    EXPECT_FALSE(Parses(RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 44100, 16, 3)).Chunk("data", data).Wave()))
        << "floating-point samples are not PCM";
    EXPECT_FALSE(Parses(RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 44100, 16)).Wave())) << "no data chunk";
    EXPECT_FALSE(Parses(RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(3, 44100, 16)).Chunk("data", data).Wave()));
    EXPECT_FALSE(Parses(RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 44100, 24)).Chunk("data", data).Wave()));
    EXPECT_FALSE(Parses(RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 0, 16)).Chunk("data", data).Wave()));

    std::vector<uint8_t> notWave = SimpleWave({1, 2});
    notWave[8] = 'A';   // "AAVE"
    EXPECT_FALSE(Parses(notWave));
    EXPECT_FALSE(Parses({}));

    std::vector<uint8_t> hugeData = SimpleWave({1, 2, 3});
    hugeData[hugeData.size() - 6 - 1] = 0xff;   // the data chunk's size points outside the file
    EXPECT_FALSE(Parses(hugeData));
    std::vector<uint8_t> hugeFormat = SimpleWave({1, 2, 3});
    hugeFormat[16 + 3] = 0xff;   // the format chunk's size: the data search jumps out of the file
    EXPECT_FALSE(Parses(hugeFormat));

    const std::vector<uint8_t> whole = SimpleWave({100, 200, 300, 400});
    for (size_t length = 0; length < whole.size(); ++length) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(Parses(cut)) << "cut to " << length << " bytes";
    }
    EXPECT_TRUE(Parses(whole));

    // The 18-byte format read runs past a 16-byte chunk; when the file ends there, it is short.
    const auto onlyFormat = RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 44100, 16)).Wave();
    EXPECT_FALSE(Parses(onlyFormat));
}

TEST(WaveFile, ConvertsEveryFormatToStereoAtTheOutputRate)
{
    WaveFile wave;
    // 8-bit mono: unsigned around 128, widened and copied to both sides.
    const auto eightBit = RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, 44100, 8)).Chunk("data", {128, 255, 0}).Wave();
    ASSERT_TRUE(wave.Parse(eightBit.data(), eightBit.size()));
    EXPECT_EQ(wave.ToStereo16(44100), (std::vector<int16_t>{0, 0, 32512, 32512, -32768, -32768}));

    // Stereo at the output rate passes unchanged.
    const std::vector<int16_t> stereo = {1, -1, 2, -2};
    const auto stereoFile = RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(2, 44100, 16)).Chunk("data", RiffBuilder::Samples16(stereo)).Wave();
    ASSERT_TRUE(wave.Parse(stereoFile.data(), stereoFile.size()));
    EXPECT_EQ(wave.ToStereo16(44100), stereo);

    // Half the rate: twice the frames, the new ones halfway between their neighbours.
    const auto half = SimpleWave({0, 1000, 3000}, 22050);
    ASSERT_TRUE(wave.Parse(half.data(), half.size()));
    EXPECT_EQ(wave.ToStereo16(44100), (std::vector<int16_t>{0, 0, 500, 500, 1000, 1000, 2000, 2000, 3000, 3000, 3000, 3000}));
}

}  // namespace
