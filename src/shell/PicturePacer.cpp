#include "shell/PicturePacer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CostMargin = 1.25;       // a picture may take this much longer than is typical
constexpr double TypicalShare = 0.9;      // of the recent pictures, the share the typical cost covers
constexpr double FrameSlack = 0.001;      // seconds a frame start may slip for a picture

}  // namespace

double PicturePacer::SeenAt(double now) const
{
    const double drawn = now + typicalCost * CostMargin;
    if (!waitsForDisplay || lastRefresh < 0.0) return drawn;
    // Refreshes come every period after the last one the display was seen to wait for.
    const double refreshes = std::max(1.0, std::ceil((drawn - lastRefresh) / period));
    return lastRefresh + refreshes * period;
}

bool PicturePacer::Due(double now, double frameStart, double nextFrame) const
{
    if (now < nextPicture) return false;
    if (SeenAt(now) <= nextFrame + FrameSlack) return true;
    // Slower than a frame: each frame is still seen, late as that makes the next. A display's
    // refresh is not waited for past a frame start while a later refresh may show the picture,
    // but never two frames in a row.
    const double framePeriod = nextFrame - frameStart;
    return lastPicture < frameStart && (lastRefresh < 0.0 || lastPicture < frameStart - framePeriod);
}

// Due and the wait are judged at one moment: read twice, a picture whose time came in between
// looked held back for the coming frame, and every picture left in the frame was lost.
PicturePacer::Step PicturePacer::NextStep(double now, double frameStart, double nextFrame) const
{
    if (Due(now, frameStart, nextFrame)) return {true, false, 0.0};
    if (nextPicture < nextFrame && nextPicture > now) return {false, false, nextPicture - now};
    return {false, true, nextFrame - now};
}

void PicturePacer::Presented(double started, double drawn, double shown)
{
    // What a picture costs to be seen: its drawing, and unless the present waits for the
    // display, the present's own copy too.
    const double cost = (waitsForDisplay ? drawn : shown) - started;
    lastPicture = started;
    longest = std::max(longest, shown - started);
    RememberCost(cost);
    // A present that returned at once did not wait for the display: pace by the clock then.
    if (waitsForDisplay && shown - drawn >= period / 4.0) {
        lastRefresh = shown;
        nextPicture = shown;
        return;
    }
    // Keep the beat; a picture skipped for a frame is not made up with a burst.
    nextPicture = std::max(nextPicture + period, shown - period / 2.0);
}

// Nine in ten of the recent pictures, not their average: a picture that runs into the next
// frame makes that frame late, and a late frame is never made up. Nor their slowest: on a busy
// machine one picture in fifty or so takes three times as long for reasons of its own, and
// counting on that cost kept every picture but the first out of ten frames after it.
void PicturePacer::RememberCost(double cost)
{
    recentCosts[costsSeen % CostWindow] = cost;
    ++costsSeen;
    const size_t count = std::min(costsSeen, CostWindow);
    std::array<double, CostWindow> sorted = recentCosts;
    const auto rank = static_cast<std::ptrdiff_t>(TypicalShare * static_cast<double>(count - 1) + 0.5);
    const auto typical = sorted.begin() + rank;
    std::nth_element(sorted.begin(), typical, sorted.begin() + static_cast<std::ptrdiff_t>(count));
    typicalCost = *typical;
}
