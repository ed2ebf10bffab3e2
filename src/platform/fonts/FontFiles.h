#pragma once
#include <string>
#include <vector>

struct FT_LibraryRec_;

namespace platform {

// FreeType for the whole program, started on first use; null when it cannot start.
FT_LibraryRec_* SharedFreeType();

// What a piece of text asks of a font: families in order of preference (fontconfig's best
// match, so "Courier" bold finds a bold Courier-metric face), a weight on the OpenType scale,
// and optionally a language the face must be able to write (so a missing family still leads
// to a face with the right script).
struct FontRequest {
    std::vector<std::string> families;
    int                      weight = 400;
    std::string              language;    // "ja", or empty for any
};

// The Japanese gothic of the dialogs and of Japanese letters in the game's text: "ＭＳ Ｐゴシック"
// where it is installed, else fontconfig's best Japanese gothic (IPAPGothic from
// fonts-ipafont-gothic, the usual one).
FontRequest JapaneseGothic(int weight);

// The font file and face index fontconfig picks for the request. False when there is none;
// `error` then tells why.
bool MatchFontFile(const FontRequest& request, std::string& file, int& index, std::string& error);

}  // namespace platform
