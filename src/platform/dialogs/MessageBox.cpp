#include "platform/dialogs/MessageBox.h"

#include "core/Translation.h"
#include "platform/dialogs/DialogFont.h"
#include "platform/dialogs/DialogWindow.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
namespace {

constexpr int TextPixels = 12;          // 9 points on a 96-dpi screen
constexpr int DetailPixels = 10;
constexpr int DetailWidth = 440;        // pixels: longer details wrap
constexpr int SignPixels = 32;
constexpr uint32_t DetailColour = 0x303030;

std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

// Wraps at blanks so that no line is wider than `width` (a single longer word keeps its line).
std::vector<std::string> Wrapped(std::string_view text, const DialogFont& font, int width)
{
    std::vector<std::string> wrapped;
    for (const std::string& line : Lines(text)) {
        std::string current;
        size_t at = 0;
        while (at <= line.size()) {
            const size_t end = std::min(line.find(' ', at), line.size());
            const std::string word = line.substr(at, end - at);
            const std::string longer = current.empty() ? word : current + " " + word;
            if (!current.empty() && font.Width(longer) > width) {
                wrapped.push_back(current);
                current = word;
            } else {
                current = longer;
            }
            at = end + 1;
        }
        wrapped.push_back(current);
    }
    return wrapped;
}

int WidestLine(const std::vector<std::string>& lines, const DialogFont& font)
{
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, font.Width(line));
    return widest;
}

class NoticeContent final : public DialogContent {
public:
    NoticeContent(const DialogFont& font, const DialogFont& small, std::string_view text, std::string_view detail)
        : units{font.AverageWidth(), font.LineHeight()},
          textLines(Lines(text)),
          detailLines(detail.empty() ? std::vector<std::string>{} : Wrapped(detail, small, DetailWidth)),
          lineHeight(font.LineHeight()),
          detailHeight(small.LineHeight())
    {
        const int margin = units.X(8);
        sign = {margin, margin, SignPixels, SignPixels};
        textX = sign.x + sign.w + units.X(6);
        textY = margin + std::max(0, (SignPixels - TextHeight()) / 2);
        const int contentWidth = std::max(WidestLine(textLines, font), WidestLine(detailLines, small));
        width = std::max(textX + contentWidth + margin, units.X(140));
        const int contentBottom = std::max(sign.y + sign.h, textY + TextHeight());
        ok = {0, contentBottom + units.Y(7), units.X(50), units.Y(14)};
        ok.x = (width - ok.w) / 2;
        height = ok.y + ok.h + units.Y(7);
    }
    int Width() const { return width; }
    int Height() const { return height; }

    void Draw(DialogPainter& painter) override
    {
        painter.WarningSign(sign);
        int y = textY;
        for (const std::string& line : textLines) {
            painter.Text(textX, y, line);
            y += lineHeight;
        }
        y += detailLines.empty() ? 0 : DetailGap;
        for (const std::string& line : detailLines) {
            painter.SmallText(textX, y, line, DetailColour);
            y += detailHeight;
        }
        painter.Button(ok, TranslateIn("notice", "OK"), true, true, pressed);
    }
    void OnKey(DialogKey key) override
    {
        finished = key == DialogKey::Return || key == DialogKey::Space || key == DialogKey::Escape;
    }
    void OnMouseButton(bool down, int x, int y) override
    {
        const bool inside = ok.Contains(x, y);
        if (!down) finished = pressed && inside;
        pressed = down && inside;
    }
    void OnCloseButton() override { finished = true; }
    bool Finished() const override { return finished; }

private:
    static constexpr int DetailGap = 6;   // pixels between the text and its detail

    int TextHeight() const
    {
        const int detail = detailLines.empty() ? 0 : DetailGap + static_cast<int>(detailLines.size()) * detailHeight;
        return static_cast<int>(textLines.size()) * lineHeight + detail;
    }

    DialogUnits              units;
    std::vector<std::string> textLines;
    std::vector<std::string> detailLines;
    int                      lineHeight;     // pixels
    int                      detailHeight;   // pixels
    DialogRect               sign, ok;
    int                      textX = 0, textY = 0, width = 0, height = 0;   // pixels
    bool                     pressed = false;
    bool                     finished = false;
};

}  // namespace

bool ShowMessageBox(const char* caption, const char* text, const char* detail)
{
    DialogFont font, small;
    std::string error;
    if (!OpenDialogFace(font, TextPixels, error) || !OpenDialogFace(small, DetailPixels, error)) return false;
    NoticeContent content(font, small, text ? text : "", detail ? detail : "");
    return RunDialog(caption, content.Width(), content.Height(), font, &small, content);
}

}  // namespace platform
