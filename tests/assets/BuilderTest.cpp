#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AssetReaders.h"
#include "TestPaths.h"

namespace {

int RunBuilder(const std::filesystem::path& source, const std::filesystem::path& out)
{
    const std::string command = "\"" + ArtBuilder() + "\" --source \"" + source.string() + "\" --out \"" +
                                out.string() + "\" --sheet \"" + (out / "parts.dds").string() + "\" 2>/dev/null";
    return std::system(command.c_str());
}

TEST(ArtBuilder, SameSourcesGiveTheSameBytes)
{
    const auto first = ScratchFolder("first");
    const auto second = ScratchFolder("second");
    ASSERT_EQ(RunBuilder(ArtSourceFolder(), first), 0);
    ASSERT_EQ(RunBuilder(ArtSourceFolder(), second), 0);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(first)) {
        const std::string name = entry.path().filename().string();
        const std::vector<uint8_t> bytes = ReadFileBytes(entry.path().string());
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_EQ(bytes, ReadFileBytes((second / name).string())) << name << " differs between two runs";
        ++files;
    }
    EXPECT_EQ(files, 10) << "the sheet, six surfaces, the icon, the embedding table and the contact sheet";
    // ...and the same as what the build itself put beside the game.
    EXPECT_EQ(ReadFileBytes((first / "parts.dds").string()), ReadFileBytes(SheetFile()));
    EXPECT_EQ(ReadFileBytes((first / "IMAGE_FIELD2.bmp").string()),
              ReadFileBytes((ArtOutputFolder() / "IMAGE_FIELD2.bmp").string()));
}

TEST(ArtBuilder, RefusesMissingOrMalformedSources)
{
    const auto out = ScratchFolder("refused");
    EXPECT_NE(RunBuilder(out / "no-such-folder", out), 0);
    EXPECT_FALSE(std::filesystem::exists(out / "parts.dds"));

    // A copy of the text sources with one colour misspelt in the palette.
    const auto broken = ScratchFolder("broken-sources");
    for (const char* name : {"palette.txt", "lettering.txt", "details.txt"})
        std::filesystem::copy_file(ArtSourceFolder() / name, broken / name);
    ASSERT_EQ(RunBuilder(broken, out), 0) << "an unchanged copy of the sources builds";
    {
        std::ofstream palette(broken / "palette.txt", std::ios::app);
        palette << "ramp faulty #12345 #abcdef\n";
    }
    EXPECT_NE(RunBuilder(broken, ScratchFolder("refused-palette")), 0);

    const std::string builder = "\"" + ArtBuilder() + "\"";   // incomplete command lines
    EXPECT_NE(std::system((builder + " 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((builder + " --source x --out y --sheet z --colour red 2>/dev/null").c_str()), 0);
}

}  // namespace
