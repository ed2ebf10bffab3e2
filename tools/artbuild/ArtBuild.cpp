#include "ArtBuild.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "ArtBook.h"
#include "ContactSheet.h"
#include "EmbeddedTable.h"
#include "ImageFiles.h"
#include "SpriteSheet.h"

namespace {

constexpr int waterPaletteEntries = 138;

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (file) return true;
    error = "cannot write " + path.string();
    return false;
}

bool WriteBytes(const std::filesystem::path& path, const Bytes& bytes, std::string& error)
{
    return WriteFile(path, bytes.data(), bytes.size(), error);
}

std::vector<NamedFile> EncodeEmbeddedPictures(const std::vector<Canvas>& surfaces, const Canvas& icon)
{
    std::vector<NamedFile> files;
    for (int number = 0; number < static_cast<int>(surfaces.size()); ++number) {
        const Canvas& surface = surfaces[static_cast<size_t>(number)];
        Bytes bytes;
        if (number <= 1) bytes = EncodeBmp8(surface, 256);
        else if (number == 5) bytes = EncodeBmp8(surface, waterPaletteEntries);
        else bytes = EncodeBmp24(surface);
        files.push_back({"IMAGE_FIELD" + std::to_string(number), std::move(bytes)});
    }
    files.push_back({"GAMEICON", EncodeBmp32(icon)});
    return files;
}

// The desktop's icons, laid out as the icon theme's own folders so that installing is one copy.
bool WriteIcons(const ArtKit& kit, const std::filesystem::path& folder, std::string& error)
{
    for (const int size : iconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path apps = folder / (side + "x" + side) / "apps";
        std::error_code ignored;
        std::filesystem::create_directories(apps, ignored);
        if (!WriteBytes(apps / "velmoor.png", EncodePng(DrawGameIcon(kit, size)), error)) return false;
    }
    return true;
}

}  // namespace

bool ParseArtBuildArguments(int argc, const char* const* argv, ArtBuildPaths& paths, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) {
            error = "missing value after " + std::string(option);
            return false;
        }
        const std::string value = argv[++i];
        if (option == "--source") paths.sourceFolder = value;
        else if (option == "--out") paths.outputFolder = value;
        else if (option == "--sheet") paths.sheetFile = value;
        else if (option == "--icons") paths.iconFolder = value;
        else if (option == "--close-up") {
            ArtBuildPaths::CloseUp closeUp;
            char file[512] = {};
            if (std::sscanf(value.c_str(), "%d,%d,%d,%d:%511s", &closeUp.x, &closeUp.y, &closeUp.width,
                            &closeUp.height, file) != 5) {
                error = "--close-up wants X,Y,W,H:FILE.png";
                return false;
            }
            closeUp.file = file;
            paths.closeUps.push_back(closeUp);
        }
        else {
            error = "unknown option " + std::string(option);
            return false;
        }
    }
    if (!paths.sourceFolder.empty() && !paths.outputFolder.empty() && !paths.sheetFile.empty()) return true;
    error = "usage: velmoor_artbuild --source ASSET_ART_FOLDER --out OUTPUT_FOLDER --sheet SHEET.dds";
    return false;
}

bool RunArtBuild(const ArtBuildPaths& paths, std::string& error)
{
    ArtKit kit;
    if (!kit.Load(paths.sourceFolder, error)) return false;

    const std::vector<SheetPlace> layout = SheetLayout();
    const Canvas sheet = BuildSpriteSheet(kit, layout);
    std::vector<Canvas> surfaces;
    for (int number = 0; number < 6; ++number) surfaces.push_back(DrawSurface(kit, number));
    const Canvas icon = DrawGameIcon(kit, windowIconSize);

    const std::filesystem::path output(paths.outputFolder);
    std::error_code ignored;
    std::filesystem::create_directories(output, ignored);
    const std::filesystem::path sheetPath(paths.sheetFile);
    if (sheetPath.has_parent_path()) std::filesystem::create_directories(sheetPath.parent_path(), ignored);

    if (!WriteBytes(sheetPath, EncodeDds(sheet), error)) return false;
    const std::vector<NamedFile> embedded = EncodeEmbeddedPictures(surfaces, icon);
    for (const NamedFile& file : embedded) {
        if (!WriteBytes(output / (file.name + ".bmp"), file.bytes, error)) return false;
    }
    if (!paths.iconFolder.empty() && !WriteIcons(kit, paths.iconFolder, error)) return false;
    const std::string table = EmbeddedTableSource(embedded);
    if (!WriteFile(output / "velmoor_embedded_resources.inc", table.data(), table.size(), error)) return false;
    for (const ArtBuildPaths::CloseUp& closeUp : paths.closeUps) {
        Canvas view(closeUp.width, closeUp.height);
        view.Fill(Opaque(0x80, 0x84, 0x90));
        view.Composite(sheet.Crop(closeUp.x, closeUp.y, closeUp.width, closeUp.height), 0, 0);
        if (!WriteBytes(closeUp.file, EncodePng(view.Enlarged(8)), error)) return false;
    }
    return WriteBytes(output / "contact_sheet.png", EncodePng(ComposeContactSheet(sheet, layout, surfaces, icon)),
                      error);
}
