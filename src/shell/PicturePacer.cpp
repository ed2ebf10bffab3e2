#include "shell/PicturePacer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CostMargin = 1.5;        // a picture may take this much longer than usual
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
    return lastPicture < frameStart || SeenAt(now) <= nextFrame + FrameSlack;
}

void PicturePacer::Presented(double started, double finished)
{
    const double cost = finished - started;
    lastPicture = started;
    longest = std::max(longest, cost);
    // A present that returned at once did not wait for the display: pace by the clock then.
    const bool waited = waitsForDisplay && cost >= period / 4.0;
    if (waited) {
        lastRefresh = finished;
        nextPicture = finished;
        return;
    }
    typicalCost = typicalCost == 0.0 ? cost : typicalCost * 0.9 + cost * 0.1;
    // Keep the beat; a picture skipped for a frame is not made up with a burst.
    nextPicture = std::max(nextPicture + period, finished - period / 2.0);
}
