#include "game/NoticeLine.h"

#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace {

constexpr uint32_t NoticeColour = 0xFFFFD890;   // warm, apart from the game's red texts
constexpr uint32_t ShadowColour = 0xC0000000;   // readable on the sky and on the grass
constexpr int32_t  NoticeHeight = 16;           // pixels: 59 characters fit across
constexpr int32_t  NoticeLeft = 12, NoticeTop = 10;

}  // namespace

NoticeLine::NoticeLine() = default;

NoticeLine::~NoticeLine() = default;

void NoticeLine::Add(std::string notice)
{
    if (!notice.empty()) waiting.push_back(std::move(notice));
}

void NoticeLine::Frame(Graphics& graphics, bool shownHere)
{
    if (!shownHere || waiting.empty()) return;
    if (!font) {
        font = std::make_unique<Font>(&graphics);
        font->SetFaceName("Courier");
        font->SetParam(Font::ParamHeight, NoticeHeight);
        font->SetParam(Font::ParamWeight, 700);
        font->Create();
    }
    const char* const text = waiting.front().c_str();
    font->Draw(text, NoticeLeft + 1, NoticeTop + 1, ShadowColour);
    font->Draw(text, NoticeLeft, NoticeTop, NoticeColour);
    if (++shownFor < ShownFrames) return;
    waiting.pop_front();
    shownFor = 0;
}
