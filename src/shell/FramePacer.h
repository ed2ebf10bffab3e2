#pragma once
#include <cstdint>
#include <functional>

// Paces the main loop: a frame starts no sooner than FramePeriodMs after the previous one
// started, and a late frame is followed at once by the next (no catching up). Between frames
// the loop handles every waiting message; while none is waiting it sleeps until just before
// the deadline instead of spinning a core.
class FramePacer {
public:
    static constexpr uint32_t FramePeriodMs = 22;

    using Clock = std::function<uint32_t()>;                  // milliseconds, wrapping
    using Waiter = std::function<void(uint32_t milliseconds)>;// sleep or wait for a message

    FramePacer(Clock clock, Waiter waiter) : clock(std::move(clock)), waiter(std::move(waiter)) {}

    void StartFrame() { frameStart = clock(); }
    uint32_t FrameStart() const { return frameStart; }

    // True once the next frame may start. Otherwise waits (at most until the deadline) and
    // returns false, so the caller looks for messages again before asking once more.
    bool ReadyOrWait();
    // Milliseconds until the next frame may start (0 once it may), and a wait of at most that
    // long that a message cuts short: for loops that do other work between frames.
    uint32_t MillisecondsLeft() const;
    void WaitAtMost(uint32_t milliseconds);

    // For a loop that is called from outside at the display's rate (a browser's animation
    // frames) instead of waiting: true when a frame is due now. Frames fall due on a fixed
    // schedule of one every FramePeriodMs, so calls every 16.7 ms still run 45 frames a second,
    // not one every other call; a call more than a whole period late drops the schedule and
    // starts it again from now, so the game never hurries to catch up.
    bool DueOnSchedule();

private:
    Clock clock;
    Waiter waiter;
    uint32_t frameStart = 0;      // milliseconds of the current frame's start
    bool     scheduled = false;   // nextDue holds a time
    uint32_t nextDue = 0;         // milliseconds: when the next frame falls due on the schedule
};
