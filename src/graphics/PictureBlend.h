#pragma once
#include "graphics/CameraPose.h"
#include "graphics/FrameRecording.h"

#include <glm/mat4x4.hpp>
#include <span>
#include <unordered_map>
#include <vector>

// A picture shown between two game frames: the camera and every moving thing (a billboard,
// a shot, an enemy, an effect) placed a fraction t of the way from where they were in the
// earlier frame to where they are in the later one. Everything else is the later frame as it
// was recorded: the still ruin, and all that is drawn in screen pixels (bars, sprites, text).
//
// Nothing here is read by the game's rules; it only decides where things are drawn.
class PictureBlend {
public:
    // Farther than this in one frame counts as a jump (a new stage, a new scene, a thing that
    // died and whose place was taken): it is shown where it landed, not slid there.
    static constexpr float JumpDistance = 16.0f;   // world units

    // t = 1, or no earlier frame, gives the later frame exactly as recorded.
    void Make(const FrameRecording* earlier, const FrameRecording& later, float t);

    std::span<const RecordedVertex> Vertices() const { return shown; }
    const glm::mat4& ViewProjection() const          { return viewProjection; }
    const CameraPose& Camera() const                 { return camera; }

private:
    void PlaceMovingThings(const FrameRecording& earlier, const FrameRecording& later, float t);

    std::vector<RecordedVertex> vertices;                  // the later frame's, some moved
    std::span<const RecordedVertex> shown;                 // vertices, or the later frame's own at t = 1
    std::unordered_map<const void*, Vec3> earlierPlaces;   // moving thing -> its earlier position
    glm::mat4  viewProjection{1.0f};                       // of the blended camera
    CameraPose camera;                                     // the blended camera
};

// The camera a fraction t of the way from one frame's to the next: positions slide, the yaw
// turns the short way round. A change of camera mode or a jump shows the later camera.
CameraPose BlendCamera(const CameraPose& earlier, const CameraPose& later, float t);
