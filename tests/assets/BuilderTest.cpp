#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AssetReaders.h"
#include "TestFiles.h"
#include "TestPaths.h"

namespace {

int RunBuilder(const std::filesystem::path& source, const std::filesystem::path& out)
{
    const std::string command = "\"" + ArtBuilder() + "\" --source \"" + source.string() + "\" --out \"" +
                                out.string() + "\" --sheet \"" + (out / "parts.dds").string() + "\" 2>/dev/null";
    return std::system(command.c_str());
}

// One build from a copy of the sources makes every file again byte for byte as the game's build
// made it; a misspelt colour or a missing folder is refused.
TEST(ArtBuilder, RebuildsTheSameBytesAndRefusesBrokenSources)
{
    const auto sources = FreshTestFolder("assets/sources");
    for (const char* name : {"palette.txt", "lettering.txt", "details.txt"})
        std::filesystem::copy_file(ArtSourceFolder() / name, sources / name);
    const auto out = FreshTestFolder("assets/out");
    ASSERT_EQ(RunBuilder(sources, out), 0);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        const auto built = name == "parts.dds" ? std::filesystem::path(SheetFile()) : ArtOutputFolder() / name;
        EXPECT_FALSE(ReadBytes(entry.path()).empty()) << name;
        EXPECT_EQ(ReadBytes(entry.path()), ReadBytes(built)) << name << " differs from the build's";
        ++files;
    }
    EXPECT_EQ(files, 10) << "the sheet, six surfaces, the icon, the embedding table and the contact sheet";

    std::ofstream(sources / "palette.txt", std::ios::app) << "ramp faulty #12345 #abcdef\n";
    const auto refused = FreshTestFolder("assets/refused");
    EXPECT_NE(RunBuilder(sources, refused), 0);
    EXPECT_NE(RunBuilder(refused / "no-such-folder", refused), 0);
    EXPECT_FALSE(std::filesystem::exists(refused / "parts.dds"));
}

}  // namespace
