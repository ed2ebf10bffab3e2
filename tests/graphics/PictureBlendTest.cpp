// Pictures between frames, worked out from two recorded frames with no renderer.
#include "graphics/PictureBlend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

CameraPose FirstPerson(float x, float angle)
{
    CameraPose pose;
    pose.mode = 1;
    pose.eye = {x, 6.0f, 50.0f};
    pose.angle = angle;
    pose.height = 6.0f;
    DeriveCameraPoint(pose);
    return pose;
}

// A frame with one still face and one billboard of a moving thing at a position.
void Record(FrameRecording& frame, const CameraPose& camera, const void* mover, Vec3 at)
{
    frame.Clear();
    frame.SetCamera(camera, CameraProjection() * CameraView(camera));
    RecordedVertex* still = frame.Append(RecordedDraw{}, 3);
    for (int i = 0; i < 3; ++i) still[i] = {10.0f + i, 0.0f, 20.0f, 0xffffffffu, 0, 0};
    RecordedDraw billboard;
    billboard.kind = DrawKind::WorldPrimitive;
    billboard.mover = mover;
    billboard.moverPosition = at;
    billboard.facesCamera = true;
    RecordedVertex* corners = frame.Append(billboard, 3);
    corners[0] = {at.x - 1.0f, at.y, at.z, 0xffffffffu, 0, 0};
    corners[1] = {at.x + 1.0f, at.y, at.z, 0xffffffffu, 1, 0};
    corners[2] = {at.x, at.y + 2.0f, at.z, 0xffffffffu, 0, 1};
}

}  // namespace

TEST(PictureBlend, TheCameraTurnsTheShortWayAndJumpsOrModeChangesAreNotSlid)
{
    const float justBelowFullTurn = 2.0f * std::numbers::pi_v<float> - 0.2f;
    const CameraPose halfway = BlendCamera(FirstPerson(0.0f, justBelowFullTurn), FirstPerson(2.0f, 0.2f), 0.5f);
    EXPECT_NEAR(std::remainder(halfway.angle, 2.0 * std::numbers::pi), 0.0, 1e-5);
    EXPECT_FLOAT_EQ(halfway.eye.x, 1.0f);
    EXPECT_NEAR(halfway.lookAt.x, 1.0f + 5.0f, 1e-4);   // derived again from the blended yaw

    const CameraPose later = FirstPerson(2.0f, 0.2f);
    EXPECT_EQ(BlendCamera(FirstPerson(2.0f + PictureBlend::JumpDistance + 1.0f, 0.0f), later, 0.5f).eye, later.eye);
    CameraPose orbit = later;
    orbit.mode = 2;
    EXPECT_EQ(BlendCamera(orbit, later, 0.5f).lookAt, later.lookAt);
}

TEST(PictureBlend, MovingThingsSlideAndTurnToTheCameraStillOnesStayAndAWholeFrameIsExact)
{
    int thing = 0, newcomer = 0;
    FrameRecording earlier, later;
    Record(earlier, FirstPerson(0.0f, 0.0f), &thing, {30.0f, 2.0f, 50.0f});
    Record(later, FirstPerson(0.0f, 0.4f), &thing, {34.0f, 4.0f, 50.0f});
    PictureBlend blend;
    blend.Make(&earlier, later, 0.5f);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(blend.Vertices()[i].x, later.Vertices()[i].x);   // still
    // The billboard's corner keeps its distance from the slid centre, turned by half the view's turn.
    const RecordedVertex& corner = blend.Vertices()[4];
    EXPECT_NEAR(std::hypot(corner.x - 32.0f, corner.z - 50.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(std::atan2(-(corner.z - 50.0f), corner.x - 32.0f), -0.2f, 1e-4f);
    EXPECT_FLOAT_EQ(blend.Vertices()[5].y, 3.0f + 2.0f);

    blend.Make(&earlier, later, 1.0f);
    EXPECT_EQ(blend.Vertices().data(), later.Vertices().data());
    EXPECT_EQ(blend.ViewProjection(), later.ViewProjection());

    // Something that was not there before, or that moved too far to have walked, shows where it is.
    Record(later, FirstPerson(0.0f, 0.0f), &newcomer, {34.0f, 4.0f, 50.0f});
    blend.Make(&earlier, later, 0.25f);
    EXPECT_FLOAT_EQ(blend.Vertices()[3].x, 33.0f);
    Record(later, FirstPerson(0.0f, 0.0f), &thing, {30.0f + PictureBlend::JumpDistance + 1.0f, 2.0f, 50.0f});
    blend.Make(&earlier, later, 0.25f);
    EXPECT_FLOAT_EQ(blend.Vertices()[3].x, 29.0f + PictureBlend::JumpDistance + 1.0f);
}
