#include "platform/dialogs/DialogPainter.h"

#include "platform/dialogs/DialogFont.h"

#include <SDL.h>

namespace platform {
namespace {

constexpr uint32_t Face       = 0xD4D0C8;
constexpr uint32_t Highlight  = 0xFFFFFF;
constexpr uint32_t Shadow     = 0x808080;
constexpr uint32_t DarkShadow = 0x404040;
constexpr uint32_t Window     = 0xFFFFFF;
constexpr uint32_t Selection  = 0x0A246A;
constexpr uint32_t SignYellow = 0xFFD21E;
constexpr int      ArrowButtonWidth = 16;   // pixels, as wide as a scroll bar

DialogRect Inset(const DialogRect& r, int by) { return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by}; }

}  // namespace

DialogPainter::DialogPainter(SDL_Renderer* renderer_, DialogFont& font_, DialogFont* smallFont_)
    : renderer(renderer_), font(font_), smallFont(smallFont_)
{
}

void DialogPainter::SetColour(uint32_t rgb, uint8_t alpha)
{
    SDL_SetRenderDrawColor(renderer, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, alpha);
}

void DialogPainter::Clear()
{
    SetColour(Face);
    SDL_RenderClear(renderer);
}

void DialogPainter::Present() { SDL_RenderPresent(renderer); }

void DialogPainter::Fill(const DialogRect& r, uint32_t rgb)
{
    SetColour(rgb);
    const SDL_Rect rect{r.x, r.y, r.w, r.h};
    SDL_RenderFillRect(renderer, &rect);
}

void DialogPainter::Frame(const DialogRect& r, uint32_t topLeft, uint32_t bottomRight)
{
    const int right = r.x + r.w - 1, bottom = r.y + r.h - 1;
    SetColour(topLeft);
    SDL_RenderDrawLine(renderer, r.x, r.y, right - 1, r.y);
    SDL_RenderDrawLine(renderer, r.x, r.y, r.x, bottom - 1);
    SetColour(bottomRight);
    SDL_RenderDrawLine(renderer, right, r.y, right, bottom);
    SDL_RenderDrawLine(renderer, r.x, bottom, right, bottom);
}

void DialogPainter::Raised(const DialogRect& r, bool pressed)
{
    Fill(r, Face);
    if (pressed) {
        Frame(r, Shadow, Shadow);
        return;
    }
    Frame(r, Highlight, DarkShadow);
    Frame(Inset(r, 1), Face, Shadow);
}

void DialogPainter::FocusRectangle(const DialogRect& r)
{
    SetColour(0x000000);
    for (int x = r.x; x < r.x + r.w; x += 2) {
        SDL_RenderDrawPoint(renderer, x, r.y);
        SDL_RenderDrawPoint(renderer, x, r.y + r.h - 1);
    }
    for (int y = r.y; y < r.y + r.h; y += 2) {
        SDL_RenderDrawPoint(renderer, r.x, y);
        SDL_RenderDrawPoint(renderer, r.x + r.w - 1, y);
    }
}

void DialogPainter::Text(int x, int y, std::string_view text, uint32_t rgb) { font.Draw(renderer, text, x, y, rgb); }

void DialogPainter::SmallText(int x, int y, std::string_view text, uint32_t rgb)
{
    (smallFont ? *smallFont : font).Draw(renderer, text, x, y, rgb);
}

void DialogPainter::Button(const DialogRect& r, std::string_view label, bool isDefault, bool focused, bool pressed)
{
    DialogRect face = r;
    if (isDefault) {
        Frame(r, 0x000000, 0x000000);
        face = Inset(r, 1);
    }
    Raised(face, pressed);
    const int shift = pressed ? 1 : 0;
    Text(face.x + (face.w - font.Width(label)) / 2 + shift, face.y + (face.h - font.LineHeight()) / 2 + shift, label);
    if (focused) FocusRectangle(Inset(face, 3));
}

void DialogPainter::ComboBox(const DialogRect& r, std::string_view item, bool focused, bool pressed)
{
    Fill(r, Window);
    Frame(r, Shadow, Highlight);
    Frame(Inset(r, 1), DarkShadow, Face);
    const DialogRect field = Inset(r, 2);
    const DialogRect arrow{field.x + field.w - ArrowButtonWidth, field.y, ArrowButtonWidth, field.h};
    Raised(arrow, pressed);
    // A small black triangle pointing down.
    const int middleX = arrow.x + arrow.w / 2 - (pressed ? 0 : 1), middleY = arrow.y + arrow.h / 2 - 1 + (pressed ? 1 : 0);
    SetColour(0x000000);
    for (int row = 0; row < 4; ++row) {
        SDL_RenderDrawLine(renderer, middleX - 3 + row, middleY - 1 + row, middleX + 3 - row, middleY - 1 + row);
    }
    const DialogRect text{field.x + 1, field.y + 1, field.w - ArrowButtonWidth - 2, field.h - 2};
    const int textY = text.y + (text.h - font.LineHeight()) / 2;
    if (focused) {
        Fill(text, Selection);
        Text(text.x + 2, textY, item, 0xFFFFFF);
        FocusRectangle(text);
    } else {
        Text(text.x + 2, textY, item);
    }
}

void DialogPainter::List(const DialogRect& r, const std::vector<std::string>& items, int highlighted, int rowHeight)
{
    Fill(r, Window);
    Frame(r, 0x000000, 0x000000);
    for (int index = 0; index < static_cast<int>(items.size()); ++index) {
        const DialogRect row{r.x + 1, r.y + 1 + index * rowHeight, r.w - 2, rowHeight};
        const bool chosen = index == highlighted;
        if (chosen) Fill(row, Selection);
        Text(row.x + 2, row.y + (rowHeight - font.LineHeight()) / 2, items[static_cast<size_t>(index)],
             chosen ? 0xFFFFFF : TextColour);
    }
}

void DialogPainter::WarningSign(const DialogRect& r)
{
    const float left = static_cast<float>(r.x), top = static_cast<float>(r.y);
    const float size = static_cast<float>(r.w);
    const auto vertex = [](float x, float y, uint32_t rgb) {
        return SDL_Vertex{{x, y}, {static_cast<Uint8>(rgb >> 16), static_cast<Uint8>(rgb >> 8), static_cast<Uint8>(rgb), 255}, {0, 0}};
    };
    // A dark triangle with a yellow one inside it, then the mark.
    const SDL_Vertex outer[] = {vertex(left + size / 2, top, 0x000000), vertex(left + size, top + size, 0x000000),
                                vertex(left - 0.5f, top + size, 0x000000)};
    const float b = size / 16;
    const SDL_Vertex inner[] = {vertex(left + size / 2, top + 2.2f * b, SignYellow),
                                vertex(left + size - 1.6f * b, top + size - b, SignYellow),
                                vertex(left + 1.6f * b, top + size - b, SignYellow)};
    SDL_RenderGeometry(renderer, nullptr, outer, 3, nullptr, 0);
    SDL_RenderGeometry(renderer, nullptr, inner, 3, nullptr, 0);
    const int barWidth = std::max(2, r.w / 10);
    const int middle = r.x + (r.w - barWidth) / 2;
    Fill({middle, r.y + r.h * 3 / 8, barWidth, r.h * 3 / 8}, 0x000000);
    Fill({middle, r.y + r.h * 13 / 16, barWidth, barWidth}, 0x000000);
}

}  // namespace platform
