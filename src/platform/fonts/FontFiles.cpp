#include "platform/fonts/FontFiles.h"

#include <ft2build.h>
#include FT_FREETYPE_H


namespace platform {
namespace {

struct FreeTypeLibrary {
    FT_Library library = nullptr;
    FreeTypeLibrary() { if (FT_Init_FreeType(&library) != 0) library = nullptr; }
    ~FreeTypeLibrary() { if (library) FT_Done_FreeType(library); }
};

}  // namespace

FT_LibraryRec_* SharedFreeType()
{
    static FreeTypeLibrary shared;
    return shared.library;
}

FontRequest JapaneseGothic(int weight)
{
    return FontRequest{{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"}, weight, "ja"};
}

}  // namespace platform
