#pragma once
#include "graphics/Vec3.h"

#include <cstdint>
#include <glm/mat4x4.hpp>

// The one object through which the game draws. It holds the camera that the screens and the
// stage set during a frame and that BeginFrame of the next frame turns into the view and
// projection, and it brackets every frame.
class Graphics {
public:
    Graphics() = default;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();

    bool CreateDevice();
    void BeginFrame();
    void EndFrame();
    void SetTextureFilter(bool linear);

    // Camera. The setters only store; ApplyCamera (run by BeginFrame) derives the point of
    // modes 1 and 2 and builds the matrices.
    void SetCameraMode(int8_t mode)       { cameraMode = mode; }
    void SetCameraAngle(float angle)      { cameraAngle = angle; }
    void SetCameraHeight(float height)    { cameraHeight = height; }
    void SetCameraDistance(float distance){ cameraDistance = distance; }
    void SetEye(Vec3 position)            { eye = position; }
    void SetLookAt(Vec3 target)           { lookAt = target; }
    Vec3 GetEye() const                   { return eye; }
    Vec3 GetLookAt() const                { return lookAt; }
    int8_t GetCameraMode() const          { return cameraMode; }
    float GetCameraAngle() const          { return cameraAngle; }
    float GetCameraHeight() const         { return cameraHeight; }
    float GetCameraDistance() const       { return cameraDistance; }

    void ApplyCamera();

    // Left-handed view and perspective (depth 0 near .. 1 far) as of the last ApplyCamera,
    // in GLM's column-vector convention: clip = projection * view * world * point.
    const glm::mat4& ViewMatrix() const       { return view; }
    const glm::mat4& ProjectionMatrix() const { return projection; }

    static constexpr float FieldOfViewY = 1.0471976f;   // pi / 3
    static constexpr float Aspect       = 1.0f;         // the 4:3 picture is widened from a square view
    static constexpr float NearPlane    = 0.1f;
    static constexpr float FarPlane     = 300.0f;

private:
    Vec3   eye;                      // camera position, world units
    Vec3   lookAt;                   // camera target, world units
    int8_t cameraMode     = 0;       // 0 fixed, 1 first person, 2 orbit (others behave as 0)
    float  cameraAngle    = 0.0f;    // yaw, radians
    float  cameraHeight   = 0.0f;    // y of the derived point (modes 1 and 2)
    float  cameraDistance = 5.0f;    // horizontal distance between eye and target (modes 1, 2)
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
};
