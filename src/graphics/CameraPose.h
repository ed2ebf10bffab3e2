#pragma once
#include "graphics/Vec3.h"

#include <cstdint>
#include <glm/mat4x4.hpp>

// Where a frame's camera stood: the eye, the point looked at, and the parameters from which
// the first-person and orbit modes derive one of the two.
struct CameraPose {
    Vec3   eye;                  // world units
    Vec3   lookAt;               // world units
    int8_t mode     = 0;         // 0 fixed, 1 first person (derives lookAt), 2 orbit (derives eye)
    float  angle    = 0.0f;      // yaw, radians
    float  height   = 0.0f;      // y of the derived point, world units
    float  distance = 5.0f;      // horizontal distance between eye and lookAt, world units
};

// Works out the point that modes 1 and 2 derive (in double precision, stored as float).
void DeriveCameraPoint(CameraPose& pose);

// Left-handed view and perspective (depth 0 near .. 1 far), GLM's column-vector convention.
glm::mat4 CameraView(const CameraPose& pose);
glm::mat4 CameraProjection();
