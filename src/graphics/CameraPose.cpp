#include "graphics/CameraPose.h"

#include "graphics/Graphics.h"

#include <cmath>
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

void DeriveCameraPoint(CameraPose& pose)
{
    const double c = std::cos(static_cast<double>(pose.angle));
    const double s = std::sin(static_cast<double>(pose.angle));
    if (pose.mode == 1) {
        pose.lookAt = {static_cast<float>(pose.eye.x + c * pose.distance), pose.height,
                       static_cast<float>(pose.eye.z - s * pose.distance)};
    } else if (pose.mode == 2) {
        pose.eye = {static_cast<float>(pose.lookAt.x + c * pose.distance), pose.height,
                    static_cast<float>(pose.lookAt.z - s * pose.distance)};
    }
}

glm::mat4 CameraView(const CameraPose& pose)
{
    return glm::lookAtLH(glm::vec3(pose.eye.x, pose.eye.y, pose.eye.z),
                         glm::vec3(pose.lookAt.x, pose.lookAt.y, pose.lookAt.z), glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 CameraProjection()
{
    return glm::perspectiveLH_ZO(Graphics::FieldOfViewY, Graphics::Aspect, Graphics::NearPlane, Graphics::FarPlane);
}
