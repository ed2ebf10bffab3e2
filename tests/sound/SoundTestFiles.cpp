#include "SoundTestFiles.h"

#include <fstream>
#include <iterator>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

}  // namespace

RiffBuilder& RiffBuilder::Chunk(const char* id, const std::vector<uint8_t>& body, bool pad)
{
    for (int i = 0; i < 4; ++i) chunks.push_back(static_cast<uint8_t>(id[i]));
    Put32(chunks, static_cast<uint32_t>(body.size()));
    chunks.insert(chunks.end(), body.begin(), body.end());
    if (pad && body.size() % 2 != 0) chunks.push_back(0);
    return *this;
}

std::vector<uint8_t> RiffBuilder::Wave() const
{
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    Put32(out, static_cast<uint32_t>(4 + chunks.size()));
    for (const char c : {'W', 'A', 'V', 'E'}) out.push_back(static_cast<uint8_t>(c));
    out.insert(out.end(), chunks.begin(), chunks.end());
    return out;
}

std::vector<uint8_t> RiffBuilder::PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits, uint16_t tag)
{
    std::vector<uint8_t> out;
    const uint16_t block = static_cast<uint16_t>(channels * bits / 8);
    Put16(out, tag);
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * block);
    Put16(out, block);
    Put16(out, bits);
    return out;
}

std::vector<uint8_t> RiffBuilder::Samples16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out;
    for (const int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
    return out;
}

std::vector<uint8_t> SimpleWave(const std::vector<int16_t>& samples, uint32_t rate)
{
    return RiffBuilder().Chunk("fmt ", RiffBuilder::PcmFormat(1, rate, 16)).Chunk("data", RiffBuilder::Samples16(samples)).Wave();
}

std::filesystem::path FreshTestFolder(const std::string& name)
{
    const std::filesystem::path folder = std::filesystem::path(VELMOOR_TEST_OUTPUT_DIR) / "sound" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
