#include "graphics/Graphics.h"

#include <gtest/gtest.h>

#include <glm/vec4.hpp>

namespace {

glm::vec4 ToView(const Graphics& graphics, float x, float y, float z)
{
    return graphics.ViewMatrix() * glm::vec4(x, y, z, 1.0f);
}

}  // namespace

TEST(Camera, FirstPersonDerivesTheTargetAheadAlongTheHeading)
{
    Graphics graphics;
    graphics.SetCameraMode(1);
    graphics.SetCameraAngle(0.0f);
    graphics.SetCameraDistance(5.0f);
    graphics.SetCameraHeight(7.0f);
    graphics.SetEye({2.0f, 3.0f, 4.0f});
    graphics.ApplyCamera();
    EXPECT_EQ(graphics.GetLookAt(), (Vec3{7.0f, 7.0f, 4.0f}));

    // A quarter turn right looks along -z: the direction of travel is (cos f, -sin f).
    graphics.SetCameraAngle(1.5707964f);
    graphics.ApplyCamera();
    EXPECT_NEAR(graphics.GetLookAt().x, 2.0f, 1e-6f);
    EXPECT_FLOAT_EQ(graphics.GetLookAt().z, -1.0f);
    EXPECT_EQ(graphics.GetEye(), (Vec3{2.0f, 3.0f, 4.0f}));   // the given point is kept
}

TEST(Camera, OrbitDerivesTheEyeWithTheAngleInRadians)
{
    Graphics graphics;
    graphics.SetCameraMode(2);
    graphics.SetCameraHeight(35.0f);
    graphics.SetCameraAngle(45.0f);   // radians, as the map view passes it
    graphics.SetCameraDistance(50.0f);
    graphics.SetLookAt({100.0f, 0.0f, 100.0f});
    graphics.ApplyCamera();
    EXPECT_NEAR(graphics.GetEye().x, 126.266098f, 1e-4f);   // 100 + cos(45) * 50
    EXPECT_EQ(graphics.GetEye().y, 35.0f);
    EXPECT_NEAR(graphics.GetEye().z, 57.454823f, 1e-4f);    // 100 - sin(45) * 50
}

TEST(Camera, FixedModeAndUnknownModesDeriveNothing)
{
    for (int8_t mode : {int8_t{0}, int8_t{3}, int8_t{-1}}) {
        Graphics graphics;
        graphics.SetCameraMode(mode);
        graphics.SetEye({105.0f, 12.0f, 70.0f});
        graphics.SetLookAt({95.0f, 5.0f, 105.0f});
        graphics.ApplyCamera();
        EXPECT_EQ(graphics.GetEye(), (Vec3{105.0f, 12.0f, 70.0f}));
        EXPECT_EQ(graphics.GetLookAt(), (Vec3{95.0f, 5.0f, 105.0f}));
    }
}

TEST(Camera, ViewIsLeftHandedWithTheTargetAlongPositiveDepth)
{
    Graphics graphics;
    graphics.SetEye({0.0f, 0.0f, 0.0f});
    graphics.SetLookAt({10.0f, 0.0f, 0.0f});
    graphics.ApplyCamera();
    const glm::vec4 ahead = ToView(graphics, 10.0f, 0.0f, 0.0f);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-6f);
    EXPECT_NEAR(ahead.z, 10.0f, 1e-6f);
    const glm::vec4 right = ToView(graphics, 0.0f, 0.0f, -5.0f);   // turning right goes to -z
    EXPECT_NEAR(right.x, 5.0f, 1e-6f);
    const glm::vec4 up = ToView(graphics, 0.0f, 2.0f, 0.0f);
    EXPECT_NEAR(up.y, 2.0f, 1e-6f);

    // Away from the origin the translation is -dot(axis, eye) on each axis.
    graphics.SetEye({10.0f, 5.0f, 20.0f});
    graphics.SetLookAt({10.0f, 5.0f, 30.0f});
    graphics.ApplyCamera();
    const glm::vec4 target = ToView(graphics, 10.0f, 5.0f, 30.0f);
    EXPECT_NEAR(target.x, 0.0f, 1e-5f);
    EXPECT_NEAR(target.y, 0.0f, 1e-5f);
    EXPECT_NEAR(target.z, 10.0f, 1e-5f);
}

TEST(Camera, ProjectionIsSixtyDegreesSquareWithDepthZeroToOne)
{
    Graphics graphics;
    graphics.SetEye({0.0f, 0.0f, 0.0f});
    graphics.SetLookAt({0.0f, 0.0f, 1.0f});
    graphics.ApplyCamera();
    const glm::mat4& p = graphics.ProjectionMatrix();
    EXPECT_NEAR(p[0][0], 1.7320508f, 1e-6f);   // cot(30 degrees), aspect 1
    EXPECT_NEAR(p[1][1], 1.7320508f, 1e-6f);
    EXPECT_NEAR(p[2][2], 300.0f / 299.9f, 1e-6f);
    EXPECT_NEAR(p[3][2], -30.0f / 299.9f, 1e-6f);
    EXPECT_EQ(p[2][3], 1.0f);

    const auto depth = [&](float viewZ) {
        const glm::vec4 clip = p * glm::vec4(0.0f, 0.0f, viewZ, 1.0f);
        return clip.z / clip.w;
    };
    EXPECT_NEAR(depth(0.1f), 0.0f, 1e-6f);
    EXPECT_NEAR(depth(300.0f), 1.0f, 1e-6f);
    EXPECT_LT(depth(0.05f), 0.0f);    // nearer than the near plane: clipped
    EXPECT_GT(depth(301.0f), 1.0f);   // beyond the far plane: clipped
}
