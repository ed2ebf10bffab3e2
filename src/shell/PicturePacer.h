#pragma once
#include <array>
#include <cstddef>

// Decides when the main loop shows a picture between game frames: one per display refresh, or
// at most N a second, and never one that would still be drawing or waiting for the display
// when the next game frame is due, so that frames keep starting on time.
class PicturePacer {
public:
    // period: seconds between pictures. waitsForDisplay: presenting blocks until the display's
    // next refresh (vsync), so a picture is seen at a refresh rather than when it is drawn.
    PicturePacer(double period, bool waitsForDisplay) : period(period), waitsForDisplay(waitsForDisplay) {}

    // When a picture started now would be seen (its drawing done, or the refresh it waits for).
    double SeenAt(double now) const;
    // What the loop does at a moment between frames: draw a picture, or wait (seconds) before
    // asking again, until the next picture's time or, for one held back, the coming frame.
    struct Step {
        bool   draw = false;
        bool   untilFrame = false;
        double wait = 0.0;
    };
    Step NextStep(double now, double frameStart, double nextFrame) const;
    // A picture started drawing, was drawn, and was shown (its present returned).
    void Presented(double started, double drawn, double shown);

    double LongestPicture() const { return longest; }   // seconds, drawing and presenting one

private:
    // True when a picture may start now and will be seen before the next frame starts. Where
    // pictures take longer than a frame, the first after each frame is due all the same.
    bool Due(double now, double frameStart, double nextFrame) const;
    void RememberCost(double cost);

    double period;                 // seconds
    bool   waitsForDisplay;
    double nextPicture = 0.0;      // seconds
    double lastRefresh = -1.0;     // when a present last returned at a refresh; -1: not yet
    double lastPicture = -1.0;     // when the last picture started, seconds
    double typicalCost = 0.0;      // seconds a picture takes to draw: see RememberCost
    static constexpr size_t CostWindow = 32;         // pictures, about ten frames' worth
    std::array<double, CostWindow> recentCosts{};    // seconds, a ring
    size_t costsSeen = 0;
    double longest = 0.0;          // seconds
};
