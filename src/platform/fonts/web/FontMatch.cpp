#include "platform/fonts/FontFiles.h"

#include <algorithm>

// A browser has no fontconfig and no system fonts a page may read: the page brings the faces
// the game draws with (from Debian's font packages) under /fonts, and this picks among them as
// fontconfig would on the desktop.
namespace platform {
namespace {

constexpr int FirstBoldWeight = 600;

bool AsksForJapanese(const FontRequest& request)
{
    if (request.language == "ja") return true;
    const FontRequest gothic = JapaneseGothic(request.weight);
    return std::any_of(request.families.begin(), request.families.end(), [&gothic](const std::string& family) {
        return std::find(gothic.families.begin(), gothic.families.end(), family) != gothic.families.end();
    });
}

}  // namespace

bool MatchFontFile(const FontRequest& request, std::string& file, int& index, std::string&)
{
    index = 0;
    if (AsksForJapanese(request)) {
        file = "/fonts/IPAPGothic.ttf";
    } else {
        // Every other face the game asks for is Courier, whose metric twin the page brings.
        file = request.weight >= FirstBoldWeight ? "/fonts/NimbusMonoPS-Bold.otf" : "/fonts/NimbusMonoPS-Regular.otf";
    }
    return true;
}

}  // namespace platform
