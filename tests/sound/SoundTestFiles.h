#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Each test works in a fresh folder of its own, made the current one since the error report
// is written there; the report and the run settings start afresh and no notice box is shown.
class SoundFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static std::string ReportText();   // "" while there is no report file

    std::filesystem::path previousFolder;
    std::filesystem::path folder;
};

// Hand-made RIFF files for the sound tests: chunks are appended one by one, so a test can put
// odd chunks first, leave the data short or lie about sizes.
class RiffBuilder {
public:
    RiffBuilder& Chunk(const char* id, const std::vector<uint8_t>& body, bool pad = true);
    std::vector<uint8_t> Wave() const;   // "RIFF" <size> "WAVE" + the chunks

    static std::vector<uint8_t> PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1);
    static std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples);

private:
    std::vector<uint8_t> chunks;
};

// Samples that all differ, so any shift or skip shows.
std::vector<int16_t> Ramp(size_t count, int16_t start, int16_t step = 1);

// A plain mono 16-bit 44100 Hz file holding `samples`.
std::vector<uint8_t> SimpleWave(const std::vector<int16_t>& samples, uint32_t rate = 44100);
