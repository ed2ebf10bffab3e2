#include "ContactSheet.h"

#include <algorithm>

#include "TinyFont.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

constexpr int sheetZoom = 3;
constexpr int margin = 16;
constexpr Rgba pageColour = Opaque(0x1d, 0x1f, 0x27);
constexpr Rgba inkColour = Opaque(0xe8, 0xe4, 0xd8);
constexpr Rgba frameColour = Opaque(0xff, 0xd0, 0x40);
constexpr Rgba labelBack = Opaque(0x10, 0x10, 0x18);

void FillRect(Canvas& canvas, int x, int y, int width, int height, Rgba colour)
{
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) canvas.Set(x + i, y + j, colour);
    }
}

void FrameRect(Canvas& canvas, int x, int y, int width, int height, Rgba colour)
{
    for (int i = 0; i < width; ++i) {
        canvas.Set(x + i, y, colour);
        canvas.Set(x + i, y + height - 1, colour);
    }
    for (int j = 0; j < height; ++j) {
        canvas.Set(x, y + j, colour);
        canvas.Set(x + width - 1, y + j, colour);
    }
}

void Checkerboard(Canvas& canvas, int x, int y, int width, int height)
{
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const bool light = ((i / 12) + (j / 12)) % 2 == 0;
            canvas.Set(x + i, y + j, light ? Opaque(0x9a, 0x9a, 0xa2) : Opaque(0x74, 0x74, 0x7e));
        }
    }
}

void SkyBackdrop(Canvas& canvas, int x, int y, int width, int height)
{
    for (int j = 0; j < height; ++j) {
        const Rgba colour = Mix(Opaque(0x78, 0xbe, 0xff), Opaque(0xe6, 0xf0, 0xfa), static_cast<float>(j) / height);
        FillRect(canvas, x, y + j, width, 1, colour);
    }
}

void Label(Canvas& canvas, int x, int y, const std::string& text)
{
    FillRect(canvas, x, y, TinyTextWidth(text) + 2, 7, labelBack);
    DrawTinyText(canvas, x + 1, y + 1, text, inkColour);
}

int DrawSheetPanel(Canvas& page, const Canvas& sheet, const std::vector<SheetPlace>& layout, int left, int top)
{
    const int size = sheet.Width() * sheetZoom;
    DrawTinyText(page, left, top - 12, "SPRITE SHEET PARTS.DDS  (3x)", inkColour, 2);
    Checkerboard(page, left, top, size, size);
    page.Composite(sheet.Enlarged(sheetZoom), left, top);
    for (const SheetPlace& place : layout) {
        const int x = left + place.x * sheetZoom;
        const int y = top + place.y * sheetZoom;
        FrameRect(page, x, y, place.width * sheetZoom, place.height * sheetZoom, frameColour);
        Label(page, x + 1, y + 1, place.label);
    }
    return left + size;
}

int DrawSurfacePanel(Canvas& page, const std::vector<Canvas>& surfaces, int left, int top)
{
    static const char* names[] = {"0 GRASS", "1 MAGIC CIRCLE", "2 SIDE WITH GRASS", "3 SIDE", "4 WALL", "5 WATER"};
    constexpr int zoom = 2;
    int right = left;
    for (size_t i = 0; i < surfaces.size(); ++i) {
        const Canvas& surface = surfaces[i];
        const int tile = surface.Width() * 3 * zoom;
        const int x = left + static_cast<int>(i % 2) * (tile + margin);
        const int y = top + static_cast<int>(i / 2) * (tile + 20);
        Canvas tiled(surface.Width() * 3, surface.Height() * 3);
        for (int ty = 0; ty < 3; ++ty) {
            for (int tx = 0; tx < 3; ++tx) tiled.Paste(surface, tx * surface.Width(), ty * surface.Height());
        }
        page.Paste(tiled.Enlarged(zoom), x, y);
        DrawTinyText(page, x, y - 9, names[i < 6 ? i : 5], inkColour);
        right = std::max(right, x + tile);
    }
    return right;
}

// Sprites at about the sizes they cover on the 640x480 screen: the first frame of every
// creature at 1x and 2x against the sky, every pick-up and small picture at 1x and 2x on grass.
void DrawPreviewPanel(Canvas& page, const Canvas& sheet, const std::vector<SheetPlace>& layout,
                      const Canvas& grass, const Canvas& icon, int left, int top, int width)
{
    constexpr int half = 150;
    DrawTinyText(page, left, top - 12, "AT GAME SIZE (1x 2x)", inkColour, 2);
    SkyBackdrop(page, left, top, width, half);
    for (int y = half; y < 2 * half; ++y) {
        for (int x = 0; x < width; ++x) page.Set(left + x, top + y, grass.AtWrapped(x, y));
    }
    int skyX = left + 8;
    int grassX = left + 8;
    for (const SheetPlace& place : layout) {
        const bool creature = place.width == 48 && place.height == 48;
        if (creature && !place.label.ends_with(" 0")) continue;
        if (place.width > 48) continue;
        const Canvas picture = sheet.Crop(place.x, place.y, place.width, place.height);
        int& x = creature ? skyX : grassX;
        const int baseline = top + (creature ? half - 8 : 2 * half - 12);
        for (const int zoom : {1, 2}) {
            const int w = place.width * zoom;
            if (x + w > left + width - 48) break;
            page.Composite(picture.Enlarged(zoom), x, baseline - place.height * zoom);
            x += w + 4;
        }
        x += 6;
    }
    page.Composite(icon, left + width - 40, top + 8);
    page.Composite(icon.Enlarged(2), left + width - 72, top + 48);
}

}  // namespace

Canvas ComposeContactSheet(const Canvas& sheet, const std::vector<SheetPlace>& layout,
                           const std::vector<Canvas>& surfaces, const Canvas& icon)
{
    const int top = 40;
    const int sheetRight = margin + sheet.Width() * sheetZoom;
    const int surfaceWidth = 2 * surfaces.front().Width() * 3 * 2 + margin;
    const int surfaceHeight = 3 * (surfaces.front().Height() * 3 * 2 + 20);
    const int pageWidth = sheetRight + margin + surfaceWidth + margin;
    const int previewTop = top + std::max(sheet.Height() * sheetZoom, surfaceHeight) + 30;
    Canvas page(pageWidth, previewTop + 300 + margin);
    page.Fill(pageColour);
    DrawTinyText(page, margin, 8, "VELMOOR ART CONTACT SHEET", frameColour, 3);
    DrawSheetPanel(page, sheet, layout, margin, top);
    DrawSurfacePanel(page, surfaces, sheetRight + margin, top + 10);
    DrawPreviewPanel(page, sheet, layout, surfaces.front(), icon, margin, previewTop, pageWidth - 2 * margin);
    return page;
}

Bytes EncodePng(const Canvas& picture)
{
    std::vector<uint8_t> raw;
    raw.reserve(picture.Pixels().size() * 4);
    for (const Rgba& c : picture.Pixels()) raw.insert(raw.end(), {c.r, c.g, c.b, c.a});
    Bytes out;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* bytes = static_cast<Bytes*>(context);
            const auto* begin = static_cast<const uint8_t*>(data);
            bytes->insert(bytes->end(), begin, begin + size);
        },
        &out, picture.Width(), picture.Height(), 4, raw.data(), picture.Width() * 4);
    return out;
}
