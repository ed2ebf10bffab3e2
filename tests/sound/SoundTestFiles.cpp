#include "SoundTestFiles.h"

#include "TestFiles.h"
#include "core/ErrorReport.h"
#include "core/Settings.h"

#include <cstdlib>

namespace {

// Little-endian, `bytes` long.
void Put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

RiffBuilder& RiffBuilder::Chunk(const char* id, const std::vector<uint8_t>& body, bool pad)
{
    chunks.insert(chunks.end(), id, id + 4);
    Put(chunks, static_cast<uint32_t>(body.size()), 4);
    chunks.insert(chunks.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0) chunks.push_back(0);
    return *this;
}

std::vector<uint8_t> RiffBuilder::Wave() const
{
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Put(out, static_cast<uint32_t>(4 + chunks.size()), 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E'});
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

std::vector<uint8_t> RiffBuilder::PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag)
{
    std::vector<uint8_t> out;
    const uint32_t block = channels * bits / 8u;
    for (const auto& [value, bytes] : {std::pair{uint32_t{tag}, 2}, {channels, 2}, {rate, 4}, {rate * block, 4}, {block, 2}, {bits, 2}})
        Put(out, value, bytes);
    return out;
}

std::vector<uint8_t> RiffBuilder::Samples16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    for (const int16_t s : samples) Put(out, static_cast<uint16_t>(s), 2);
    return out;
}

std::vector<int16_t> Ramp(size_t count, int16_t start, int16_t step)
{
    std::vector<int16_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<int16_t>(start + static_cast<int>(i) * step);
    return out;
}

std::vector<uint8_t> SimpleWave(const std::vector<int16_t>& samples, uint32_t rate)
{
    return RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, rate, 16)).Chunk("data", RiffBuilder::Samples16(samples)).Wave();
}

void SoundFolderTest::SetUp()
{
    previousFolder = std::filesystem::current_path();
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder = FreshTestFolder("sound/" + test);
    std::filesystem::current_path(folder);
    ResetErrorReportForTests();
    SetFatalErrorNotice(nullptr);
    SetSettings(RunSettings{});
}

void SoundFolderTest::TearDown()
{
    std::filesystem::current_path(previousFolder);
    ResetErrorReportForTests();
    SetSettings(RunSettings{});
    unsetenv("SDL_AUDIODRIVER");
}

std::string SoundFolderTest::ReportText()
{
    const std::vector<uint8_t> bytes = ReadBytes(ReportFileName);
    return std::string(bytes.begin(), bytes.end());
}
