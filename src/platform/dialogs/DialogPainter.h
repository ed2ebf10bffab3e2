#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Renderer;

namespace platform {

class DialogFont;

struct DialogRect {
    int x = 0, y = 0, w = 0, h = 0;   // pixels of the dialog's inner area
    bool Empty() const { return w <= 0 || h <= 0; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// Dialog units, the grid a dialog is laid out on: a quarter of the dialog font's average
// letter width across and an eighth of its line height down, so the layout grows with the font.
struct DialogUnits {
    int cx = 8;    // pixels: the font's average letter width
    int cy = 16;   // pixels: the font's line height
    int X(int units) const { return (units * cx + 2) / 4; }
    int Y(int units) const { return (units * cy + 4) / 8; }
    DialogRect Rect(int x, int y, int w, int h) const { return {X(x), Y(y), X(w), Y(h)}; }
};

// Draws the dialogs' controls in the classic look of the desktop the game was made on: grey
// faces with light and shadow edges, a sunken white field for the list, a blue selection.
class DialogPainter {
public:
    static constexpr uint32_t TextColour = 0x000000;

    DialogPainter(SDL_Renderer* renderer, DialogFont& font, DialogFont* smallFont);

    void Clear();   // the dialog's face colour
    void Text(int x, int y, std::string_view text, uint32_t rgb = TextColour);
    void SmallText(int x, int y, std::string_view text, uint32_t rgb = TextColour);
    void Button(const DialogRect& r, std::string_view label, bool isDefault, bool focused, bool pressed);
    // The closed drop-down list: the chosen item in a sunken field, the arrow button at its right.
    void ComboBox(const DialogRect& r, std::string_view item, bool focused, bool pressed);
    // The open list: one row per item, `highlighted` in the selection colour.
    void List(const DialogRect& r, const std::vector<std::string>& items, int highlighted, int rowHeight);
    // The exclamation sign of a warning, in a square.
    void WarningSign(const DialogRect& r);
    void Present();

private:
    void Fill(const DialogRect& r, uint32_t rgb);
    void Frame(const DialogRect& r, uint32_t topLeft, uint32_t bottomRight);
    void Raised(const DialogRect& r, bool pressed);
    void FocusRectangle(const DialogRect& r);
    void SetColour(uint32_t rgb, uint8_t alpha = 255);

    SDL_Renderer* renderer;
    DialogFont&   font;
    DialogFont*   smallFont;   // may be null: small text then uses the main font
};

}  // namespace platform
