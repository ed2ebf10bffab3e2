#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

struct FT_FaceRec_;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

struct FontRequest;

// The face of the game's own dialogs, open for as long as the dialog is, and the lines of text
// it has drawn, kept as one texture each on the renderer that drew them.
class DialogFont {
public:
    DialogFont() = default;
    ~DialogFont();
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;

    // Opens fontconfig's best match for the request with an em of `pixels`.
    bool Open(const FontRequest& request, int pixels, std::string& error);

    int Ascent() const       { return ascent; }         // pixels above the baseline
    int LineHeight() const   { return lineHeight; }     // pixels, ascent plus descent
    int AverageWidth() const { return averageWidth; }   // pixels, of the Latin letters
    const std::string& File() const { return file; }

    int Width(std::string_view text) const;   // pixels, one line of UTF-8
    // Draws one line of UTF-8 with its top-left corner at (x, y) in the colour 0xRRGGBB.
    void Draw(SDL_Renderer* renderer, std::string_view text, int x, int y, uint32_t rgb);
    void Forget(SDL_Renderer* renderer);   // before the renderer goes

private:
    SDL_Texture* LineTexture(SDL_Renderer* renderer, std::string_view text);

    FT_FaceRec_* face = nullptr;
    std::string  file;              // the font file fontconfig chose
    int          ascent = 0;        // pixels
    int          lineHeight = 0;    // pixels
    int          averageWidth = 0;  // pixels
    std::map<std::pair<SDL_Renderer*, std::string>, SDL_Texture*> lines;
};

// Opens the dialogs' face, "ＭＳ Ｐゴシック" at an em of `pixels`: where it is missing, fontconfig's
// best Japanese gothic stands in (IPAPGothic from fonts-ipafont-gothic, the usual one), so the
// Japanese captions and messages always read right.
bool OpenDialogFace(DialogFont& font, int pixels, std::string& error);

}  // namespace platform
