#pragma once
#include <cstdint>

// Walks an integer point along a straight 3-D line with Bresenham steps while its speed (unit
// steps per call) moves from a start value to an end value: a high start speed and a low end
// speed give a movement that starts fast and eases out. The title's camera pan and the
// stage-clear banner's growth ride on it.
class LineWalker {
public:
    LineWalker(int16_t x1, int16_t y1, int16_t z1, int16_t speed1,
               int16_t x2, int16_t y2, int16_t z2, int16_t speed2);

    bool Step();   // false once the walk had already ended before this call
    int16_t GetX() const { return x; }
    int16_t GetY() const { return y; }
    int16_t GetZ() const { return z; }
    int16_t GetSpeed() const { return speed; }

private:
    int16_t& Coordinate(uint8_t axis);
    void MoveAxis(uint8_t axis);
    void AdvanceOneUnit();

    uint8_t active = 1;                        // 1 while the walk runs
    int16_t x, y, z;                           // the current point
    uint8_t xDecreasing, yDecreasing, zDecreasing;   // axis moves toward smaller values
    uint8_t majorAxis = 0;                     // 0 x, 1 y, 2 z: the longest distance
    int16_t remaining = 0;                     // unit steps left on the major axis
    int16_t majorDelta = 0;                    // distance on the major axis
    int16_t minorDeltaA = 0, minorDeltaB = 0;  // distances on the other two axes, in axis order
    int16_t errorA = 0, errorB = 0;            // Bresenham error terms of the minor axes
    int16_t speedError = 0;                    // error term of the speed
    int16_t speedLarger = 0;                   // larger of the speed distance and majorDelta
    int16_t speedSmaller = 0;                  // the smaller of the two
    uint8_t speedDecreasing = 0;               // start speed above end speed
    int16_t speedDelta = 0;                    // distance between start and end speed
    int16_t speed = 0;                         // unit steps per call
    int16_t nextSpeed = 0;                     // the speed the next call will use
};
