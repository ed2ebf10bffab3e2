#pragma once
#include <cstdint>

class Graphics;
class GlyphAtlas;

// Lines of text drawn on the screen. Configure the face, height and weight, Create once, then
// Draw every frame. Changing the face or a parameter after Create does not change the font made.
class Font {
public:
    static constexpr int FaceNameCapacity = 32;   // characters, terminator included
    static constexpr int32_t ParamHeight = 0;     // SetParam selector: cell height in pixels
    static constexpr int32_t ParamWeight = 1;     // SetParam selector: 400 normal, 700 bold

    explicit Font(Graphics* graphics);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    void SetFaceName(const char* name);            // longer names are cut to 31 characters
    void SetParam(int32_t which, int32_t value);   // other selectors change nothing
    bool Create();                                 // false: no usable font, Draw draws nothing
    // Top-left corner at (x, y); a line feed starts the next line at x; tabs expanded; no
    // wrapping; clipped at the picture's right and bottom edges. Colour is ARGB.
    void Draw(const char* text, int32_t x, int32_t y, uint32_t colour);
    void Release();

    const char* FaceName() const { return faceName; }
    int32_t Height() const { return height; }
    int32_t Weight() const { return weight; }
    bool Created() const { return atlas != nullptr; }

private:
    Graphics*         graphics;                  // not owned
    const GlyphAtlas* atlas = nullptr;           // shared through the graphics' cache; null until Create
    float             atlasScale = 1.0f;         // output pixels per layout pixel the atlas was made for
    int32_t           height = 18;               // cell height, pixels (ascent plus descent)
    int32_t           weight = 400;              // 400 normal, 700 bold
    char              faceName[FaceNameCapacity] = "FixedSys";
};
