#pragma once

// A point, displacement or size in world units (x, y up, z), single precision. The movement
// rules compare sums of these exactly, so arithmetic on them stays in float.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vec3&, const Vec3&) = default;
};
