#include "graphics/Graphics.h"

#include <gtest/gtest.h>

#include <glm/vec4.hpp>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

glm::vec4 Clip(const Graphics& graphics, Vec3 p)
{
    return graphics.ProjectionMatrix() * graphics.ViewMatrix() * glm::vec4(p.x, p.y, p.z, 1.0f);
}

bool InView(glm::vec4 clip)
{
    return clip.w > 0 && std::abs(clip.x) <= clip.w && std::abs(clip.y) <= clip.w && clip.z >= 0 && clip.z <= clip.w;
}

}  // namespace

// The fixed mode looks from the eye to the point given; first person looks from the
// eye along the heading (radians; a quarter turn right looks along -z); the orbit sets the eye
// around the point looked at. Either way what lies ahead is in view and what lies aside or
// behind is not.
TEST(Camera, WhatLiesAheadIsInView)
{
    const struct { int8_t mode; float angle; Vec3 eye, lookAt, seen, unseen; } shots[] = {
        {0, 0, {0, 0, 0}, {10, 0, 0}, {50, 0, 0}, {-50, 0, 0}},
        {1, 0, {2, 3, 4}, {}, {50, 3, 4}, {2, 3, -40}},
        {1, Pi / 2, {2, 3, 4}, {}, {2, 3, -40}, {50, 3, 4}},
        {2, Pi / 2, {}, {100, 3, 100}, {100, 3, 190}, {100, 3, 10}},
        {2, Pi, {}, {100, 3, 100}, {190, 3, 100}, {10, 3, 100}},
    };
    for (const auto& shot : shots) {
        SCOPED_TRACE(testing::Message() << "mode " << int{shot.mode} << ", angle " << shot.angle);
        Graphics graphics;
        graphics.SetCameraMode(shot.mode);
        graphics.SetCameraAngle(shot.angle);
        graphics.SetCameraDistance(50.0f);
        graphics.SetCameraHeight(3.0f);
        graphics.SetEye(shot.eye);
        graphics.SetLookAt(shot.lookAt);
        graphics.ApplyCamera();
        EXPECT_TRUE(InView(Clip(graphics, shot.seen)));
        EXPECT_FALSE(InView(Clip(graphics, shot.unseen)));
        EXPECT_TRUE(InView(Clip(graphics, graphics.GetLookAt())));
        // The orbit keeps the point looked at, every other mode the eye.
        EXPECT_EQ(shot.mode == 2 ? graphics.GetLookAt() : graphics.GetEye(), shot.mode == 2 ? shot.lookAt : shot.eye);
    }
}

// Left-handed: looking along +x, -z is to the right and +y up; depth runs 0 at the near plane
// (0.1) to 1 at the far one (300), and whatever lies outside is clipped.
TEST(Camera, ViewIsLeftHandedWithDepthZeroToOne)
{
    Graphics graphics;
    graphics.SetEye({0.0f, 0.0f, 0.0f});
    graphics.SetLookAt({10.0f, 0.0f, 0.0f});
    graphics.ApplyCamera();
    EXPECT_GT(Clip(graphics, {10.0f, 0.0f, -5.0f}).x, 0.0f);
    EXPECT_GT(Clip(graphics, {10.0f, 2.0f, 0.0f}).y, 0.0f);
    const auto depth = [&](float distance) {
        const glm::vec4 clip = Clip(graphics, {distance, 0.0f, 0.0f});
        return clip.z / clip.w;
    };
    EXPECT_NEAR(depth(0.1f), 0.0f, 1e-6f);
    EXPECT_NEAR(depth(300.0f), 1.0f, 1e-6f);
    // Sixty degrees across, square: 29 degrees off the axis is in view, 31 is not.
    for (const float degrees : {29.0f, -29.0f, 31.0f, -31.0f}) {
        const float t = std::tan(degrees * Pi / 180.0f) * 100.0f;
        EXPECT_EQ(InView(Clip(graphics, {100.0f, t, 0.0f})), std::abs(degrees) < 30) << degrees;
        EXPECT_EQ(InView(Clip(graphics, {100.0f, 0.0f, t})), std::abs(degrees) < 30) << degrees;
    }
}
