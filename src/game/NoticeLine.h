#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

class Font;
class Graphics;

// One line along the top of the title and the game-over screens that tells the player what the
// game has to say about their files ("Record not saved yet: ..."), each notice for a few
// seconds, one after the other. Only shown, never read by the rules.
class NoticeLine {
public:
    static constexpr uint16_t ShownFrames = 230;   // about five seconds

    NoticeLine();
    ~NoticeLine();
    NoticeLine(const NoticeLine&) = delete;
    NoticeLine& operator=(const NoticeLine&) = delete;

    void Add(std::string notice);
    // Once a frame: draws the notice showing and counts its time, where notices are shown.
    void Frame(Graphics& graphics, bool shownHere);

    const std::string* Showing() const { return waiting.empty() ? nullptr : &waiting.front(); }

private:
    std::deque<std::string> waiting;     // the first is the one showing
    uint16_t                shownFor = 0;   // frames the first has been shown
    std::unique_ptr<Font>   font;        // made on the first notice drawn
};
