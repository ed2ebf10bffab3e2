#include "shell/PicturePacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// A main loop on a simulated clock: 22 ms frames that cost frameCost, pictures that cost
// pictureCost (or, waiting for the display, end at its next refresh), and waits that end when
// the next picture or frame is due. The cost may vary from picture to picture.
struct SimulatedRun {
    double now = 0.0;
    int pictures = 0;
    double latestStartSlip = 0.0;   // how late a frame started, at worst

    void Run(PicturePacer& pacer, int frames, double frameCost, double pictureCost, double refresh = 0.0)
    {
        Run(pacer, frames, frameCost, [pictureCost](int) { return pictureCost; }, refresh);
    }

    void Run(PicturePacer& pacer, int frames, double frameCost, const std::function<double(int)>& pictureCost,
             double refresh = 0.0)
    {
        double frameStart = 0.0;
        for (int frame = 0; frame < frames; ++frame) {
            latestStartSlip = std::max(latestStartSlip, now - frameStart);
            frameStart = std::max(now, frameStart);
            now = frameStart + frameCost;
            const double nextFrame = frameStart + 0.022;
            while (now < nextFrame) {
                const PicturePacer::Step step = pacer.NextStep(now, frameStart, nextFrame);
                if (!step.draw) {
                    now += step.wait;
                    continue;
                }
                const double started = now;
                now += pictureCost(pictures);
                const double drawn = now;
                if (refresh > 0.0) now = std::ceil(now / refresh) * refresh;
                pacer.Presented(started, drawn, now);
                ++pictures;
            }
            frameStart = nextFrame;
        }
    }
};

}  // namespace

TEST(PicturePacer, PicturesFollowTheRateOrTheDisplayAndFramesStillStartOnTime)
{
    PicturePacer paced(1.0 / 144.0, false);
    SimulatedRun run;
    run.Run(paced, 300, 0.001, 0.003);
    EXPECT_GE(run.pictures, 900);
    EXPECT_LE(run.pictures, 300 * 22 * 144 / 1000 + 1);
    EXPECT_LE(run.latestStartSlip, 0.0011);

    PicturePacer display(1.0 / 60.0, true);
    SimulatedRun withVsync;
    withVsync.Run(display, 450, 0.001, 0.002, 1.0 / 60.0);
    EXPECT_NEAR(withVsync.pictures, 450 * 22 * 60 / 1000, 10);   // one a refresh
    EXPECT_LE(withVsync.latestStartSlip, 0.0011);
}

TEST(PicturePacer, PicturesSlowerThanAFrameStillShowTheGame)
{
    PicturePacer paced(1.0 / 144.0, false);
    SimulatedRun run;
    run.Run(paced, 50, 0.001, 0.030);
    EXPECT_EQ(run.pictures, 50);   // every frame

    PicturePacer display(1.0 / 60.0, true);
    SimulatedRun withVsync;
    withVsync.Run(display, 50, 0.001, 0.030, 1.0 / 60.0);
    EXPECT_GE(withVsync.pictures, 25);   // never two frames in a row unseen
}

TEST(PicturePacer, AnOddSlowPictureDoesNotKeepTheNextOnesOut)
{
    // A busy machine: now and then a picture takes nearly three times as long.
    const auto costs = [](int picture) { return picture % 50 == 49 ? 0.012 : 0.0045; };
    PicturePacer paced(1.0 / 144.0, false);
    SimulatedRun run;
    run.Run(paced, 300, 0.001, costs);
    EXPECT_GE(run.pictures, 900);
    EXPECT_LE(run.latestStartSlip, 0.0011);
}
