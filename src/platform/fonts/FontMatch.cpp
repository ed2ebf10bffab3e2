#include "platform/fonts/FontFiles.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>

namespace platform {

bool MatchFontFile(const FontRequest& request, std::string& file, int& index, std::string& error)
{
    if (!FcInit()) {
        error = "fontconfig cannot start";
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    for (const std::string& family : request.families) {
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(std::clamp(request.weight, 1, 1000)));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    if (!request.language.empty()) {
        FcLangSet* languages = FcLangSetCreate();
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>(request.language.c_str()));
        FcPatternAddLangSet(pattern, FC_LANG, languages);
        FcLangSetDestroy(languages);
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FcChar8* path = nullptr;
    const bool found = match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    } else {
        error = "fontconfig finds no font";
    }
    if (match) FcPatternDestroy(match);
    return found;
}

}  // namespace platform
