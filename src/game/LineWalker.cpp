#include "game/LineWalker.h"

#include <cstdlib>

namespace {

int16_t Distance(int16_t from, int16_t to) { return static_cast<int16_t>(std::abs(to - from)); }

}  // namespace

LineWalker::LineWalker(int16_t x1, int16_t y1, int16_t z1, int16_t speed1,
                       int16_t x2, int16_t y2, int16_t z2, int16_t speed2)
    : x(x1), y(y1), z(z1),
      xDecreasing(x2 <= x1), yDecreasing(y2 <= y1), zDecreasing(z2 <= z1)
{
    const int16_t dx = Distance(x1, x2);
    const int16_t dy = Distance(y1, y2);
    const int16_t dz = Distance(z1, z2);
    // On a tie the earlier axis (x, then y) is the major one.
    if (dx >= dy && dx >= dz) {
        majorAxis = 0; majorDelta = dx; minorDeltaA = dy; minorDeltaB = dz;
    } else if (dy >= dz) {
        majorAxis = 1; majorDelta = dy; minorDeltaA = dx; minorDeltaB = dz;
    } else {
        majorAxis = 2; majorDelta = dz; minorDeltaA = dx; minorDeltaB = dy;
    }
    remaining = majorDelta;
    speedDecreasing = speed1 > speed2;
    speedDelta = Distance(speed1, speed2);
    speed = speed1;
    nextSpeed = speed1;
    if (speedDelta <= majorDelta) {
        speedSmaller = speedDelta;
        speedLarger = majorDelta;
    } else {
        speedSmaller = majorDelta;
        speedLarger = speedDelta;
    }
}

int16_t& LineWalker::Coordinate(uint8_t axis)
{
    return axis == 0 ? x : axis == 1 ? y : z;
}

void LineWalker::MoveAxis(uint8_t axis)
{
    const uint8_t decreasing = axis == 0 ? xDecreasing : axis == 1 ? yDecreasing : zDecreasing;
    int16_t& value = Coordinate(axis);
    value = static_cast<int16_t>(value + (decreasing ? -1 : 1));
}

void LineWalker::AdvanceOneUnit()
{
    if (remaining == 0) {
        active = 0;
        return;
    }
    // The minor axes in axis order, skipping the major one.
    const uint8_t minorA = majorAxis == 0 ? 1 : 0;
    const uint8_t minorB = majorAxis == 2 ? 1 : 2;
    errorA = static_cast<int16_t>(errorA - minorDeltaA);
    if (errorA < 0) {
        errorA = static_cast<int16_t>(errorA + majorDelta);
        MoveAxis(minorA);
    }
    errorB = static_cast<int16_t>(errorB - minorDeltaB);
    if (errorB < 0) {
        errorB = static_cast<int16_t>(errorB + majorDelta);
        MoveAxis(minorB);
    }
    MoveAxis(majorAxis);
    speedError = static_cast<int16_t>(speedError - speedSmaller);
    if (speedError < 0) {
        nextSpeed = static_cast<int16_t>(nextSpeed + (speedDecreasing ? -1 : 1));
        speedError = static_cast<int16_t>(speedError + speedLarger);
    }
    remaining = static_cast<int16_t>(remaining - 1);
    if (remaining < 0) {
        remaining = 0;
        active = 0;
    }
}

bool LineWalker::Step()
{
    if (!active) return false;
    // The number of passes is the speed as the call began; a speed of 0 still runs once.
    const int passes = speed > 0 ? speed : 1;
    for (int pass = 0; pass < passes; ++pass) AdvanceOneUnit();
    speed = nextSpeed;
    return true;
}
