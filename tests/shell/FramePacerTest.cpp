#include "shell/FramePacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A loop around the pacer with a simulated clock: waiting advances the clock, handling a
// message costs a millisecond, and a frame's own work costs workMs.
struct SimulatedLoop {
    uint32_t now = 0xfffffff0u;   // starts just before the clock wraps
    std::vector<uint32_t> frameStarts;
    uint32_t sleptMs = 0;
    FramePacer pacer{[this] { return now; }, [this](uint32_t ms) { now += ms; sleptMs += ms; }};

    void Run(int frames, uint32_t workMs, int floodFrame = -1, int floodSize = 0)
    {
        for (int frame = 0; frame < frames; ++frame) {
            pacer.StartFrame();
            frameStarts.push_back(pacer.FrameStart());
            now += workMs;
            int waiting = frame == floodFrame ? floodSize : 0;
            for (;;) {
                if (waiting > 0) {
                    --waiting;
                    now += 1;
                    continue;
                }
                if (pacer.ReadyOrWait()) break;
            }
        }
    }
};

}  // namespace

TEST(FramePacer, FramesStartExactly22MsApartAcrossTheClockWrap)
{
    SimulatedLoop loop;
    loop.Run(20, 5);
    for (size_t i = 1; i < loop.frameStarts.size(); ++i) {
        EXPECT_EQ(static_cast<uint32_t>(loop.frameStarts[i] - loop.frameStarts[i - 1]), 22u) << i;
    }
    EXPECT_EQ(loop.sleptMs, 20u * 17u);   // the rest of every period is slept, not spun
}

TEST(FramePacer, ALateFrameIsFollowedAtOnceWithoutCatchingUp)
{
    SimulatedLoop loop;
    loop.Run(4, 30);
    for (size_t i = 1; i < loop.frameStarts.size(); ++i) {
        EXPECT_EQ(static_cast<uint32_t>(loop.frameStarts[i] - loop.frameStarts[i - 1]), 30u);
    }
    EXPECT_EQ(loop.sleptMs, 0u);
}

TEST(FramePacer, AFloodOfMessagesDelaysTheNextFrame)
{
    SimulatedLoop loop;
    loop.Run(5, 2, /*floodFrame=*/2, /*floodSize=*/50);
    EXPECT_EQ(static_cast<uint32_t>(loop.frameStarts[3] - loop.frameStarts[2]), 52u);
    EXPECT_EQ(static_cast<uint32_t>(loop.frameStarts[4] - loop.frameStarts[3]), 22u);
}
