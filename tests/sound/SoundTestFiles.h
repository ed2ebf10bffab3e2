#pragma once
#include "TestFiles.h"
#include "core/ErrorReport.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// Each test works in a fresh folder of its own, made the current one since the error report
// is written there; the report and the run settings start afresh and no notice box is shown.
class SoundFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder = std::filesystem::current_path();
        folder = FreshTestFolder(std::string("sound/") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::current_path(folder);
        ResetErrorReportForTests();
        SetFatalErrorNotice(nullptr);
        SetSettings(RunSettings{});
    }

    void TearDown() override
    {
        std::filesystem::current_path(previousFolder);
        ResetErrorReportForTests();
        SetSettings(RunSettings{});
        unsetenv("SDL_AUDIODRIVER");
    }

    static std::string ReportText()   // "" while there is no report file
    {
        const std::vector<uint8_t> bytes = ReadBytes(ReportFileName);
        return {bytes.begin(), bytes.end()};
    }

    std::filesystem::path previousFolder;
    std::filesystem::path folder;
};

// Hand-made RIFF files for the sound tests: chunks are appended one by one, so a test can put
// odd chunks first, leave the data short or lie about sizes. Numbers are little-endian.
class RiffBuilder {
public:
    RiffBuilder& Chunk(const char* id, const std::vector<uint8_t>& body, bool pad = true)
    {
        chunks.insert(chunks.end(), id, id + 4);
        Put(chunks, static_cast<uint32_t>(body.size()), 4);
        chunks.insert(chunks.end(), body.begin(), body.end());
        if (pad && body.size() % 2 != 0) chunks.push_back(0);
        return *this;
    }

    std::vector<uint8_t> Wave() const   // "RIFF" <size> "WAVE" + the chunks
    {
        std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
        Put(out, static_cast<uint32_t>(4 + chunks.size()), 4);
        out.insert(out.end(), {'W', 'A', 'V', 'E'});
        out.insert(out.end(), chunks.begin(), chunks.end());
        return out;
    }

    static std::vector<uint8_t> PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag = 1)
    {
        std::vector<uint8_t> out;
        const uint32_t block = channels * bits / 8u;
        for (const auto& [value, size] : {std::pair{uint32_t{tag}, 2}, {channels, 2}, {rate, 4}, {rate * block, 4}, {block, 2}, {bits, 2}})
            Put(out, value, size);
        return out;
    }

    static std::vector<uint8_t> Samples16(const std::vector<int16_t>& samples)
    {
        std::vector<uint8_t> out;
        for (const int16_t s : samples) Put(out, static_cast<uint16_t>(s), 2);
        return out;
    }

private:
    static void Put(std::vector<uint8_t>& out, uint32_t value, int size)
    {
        for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }

    std::vector<uint8_t> chunks;
};

// Samples that all differ, so any shift or skip shows.
inline std::vector<int16_t> Ramp(size_t count, int16_t start, int16_t step = 1)
{
    std::vector<int16_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<int16_t>(start + static_cast<int>(i) * step);
    return out;
}

// A plain mono 16-bit file holding `samples`.
inline std::vector<uint8_t> SimpleWave(const std::vector<int16_t>& samples, uint32_t rate = 44100)
{
    return RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, rate, 16)).Chunk("data", RiffBuilder::Samples16(samples)).Wave();
}
