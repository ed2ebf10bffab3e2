#include "graphics/PictureBlend.h"

#include "core/Trig.h"
#include "graphics/Billboard.h"

#include <cmath>
#include <numbers>

namespace {

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

Vec3 Lerp(const Vec3& a, const Vec3& b, float t)
{
    return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t)};
}

bool Jumped(const Vec3& a, const Vec3& b)
{
    const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    return dx * dx + dy * dy + dz * dz > PictureBlend::JumpDistance * PictureBlend::JumpDistance;
}

float ViewYaw(const CameraPose& pose)
{
    return Billboard::FacingYaw(pose.lookAt.x - pose.eye.x, pose.lookAt.z - pose.eye.z);
}

}  // namespace

CameraPose BlendCamera(const CameraPose& earlier, const CameraPose& later, float t)
{
    if (t >= 1.0f || earlier.mode != later.mode) return later;
    if (Jumped(earlier.eye, later.eye) || Jumped(earlier.lookAt, later.lookAt)) return later;
    CameraPose pose = later;
    pose.eye = Lerp(earlier.eye, later.eye, t);
    pose.lookAt = Lerp(earlier.lookAt, later.lookAt, t);
    pose.height = Lerp(earlier.height, later.height, t);
    pose.distance = Lerp(earlier.distance, later.distance, t);
    // The short way round: a yaw that wrapped past a full turn does not spin the view.
    const double turn = std::remainder(static_cast<double>(later.angle) - earlier.angle, 2.0 * std::numbers::pi);
    pose.angle = static_cast<float>(later.angle - turn * (1.0 - t));
    DeriveCameraPoint(pose);
    return pose;
}

void PictureBlend::Make(const FrameRecording* earlier, const FrameRecording& later, float t)
{
    if (earlier == nullptr || t >= 1.0f) {
        camera = later.Camera();
        viewProjection = later.ViewProjection();
        shown = later.Vertices();
        return;
    }
    camera = BlendCamera(earlier->Camera(), later.Camera(), t);
    viewProjection = CameraProjection() * CameraView(camera);
    vertices.assign(later.Vertices().begin(), later.Vertices().end());
    PlaceMovingThings(*earlier, later, t);
    shown = vertices;
}

void PictureBlend::PlaceMovingThings(const FrameRecording& earlier, const FrameRecording& later, float t)
{
    earlierPlaces.clear();
    for (const RecordedDraw& draw : earlier.Draws()) {
        if (draw.mover != nullptr) earlierPlaces.try_emplace(draw.mover, draw.moverPosition);
    }
    // Billboards were turned to face the later frame's camera; turn them on to face this one.
    const float turn = ViewYaw(camera) - ViewYaw(later.Camera());
    const float c = CosF(turn), s = SinF(turn);
    for (const RecordedDraw& draw : later.Draws()) {
        if (draw.mover == nullptr) continue;
        const Vec3 at = draw.moverPosition;
        Vec3 place = at;
        const auto found = earlierPlaces.find(draw.mover);
        if (found != earlierPlaces.end() && !Jumped(found->second, at)) place = Lerp(found->second, at, t);
        const bool turns = draw.facesCamera && turn != 0.0f;
        if (!turns && place == at) continue;
        for (uint32_t i = draw.firstVertex; i < draw.firstVertex + draw.vertexCount; ++i) {
            RecordedVertex& v = vertices[i];
            float dx = v.x - at.x, dz = v.z - at.z;
            if (turns) {
                const float x = c * dx + s * dz;
                dz = -s * dx + c * dz;
                dx = x;
            }
            v.x = place.x + dx;
            v.y += place.y - at.y;
            v.z = place.z + dz;
        }
    }
}
