#include "graphics/Graphics.h"

#include <cmath>
#include <glm/ext/matrix_clip_space.hpp>
#include <glm/ext/matrix_transform.hpp>

Graphics::~Graphics() = default;

bool Graphics::CreateDevice()
{
    return true;
}

void Graphics::BeginFrame()
{
    ApplyCamera();
}

void Graphics::EndFrame()
{
}

void Graphics::SetTextureFilter(bool)
{
}

void Graphics::ApplyCamera()
{
    // The derived point is computed in double precision and stored as float.
    const double c = std::cos(static_cast<double>(cameraAngle));
    const double s = std::sin(static_cast<double>(cameraAngle));
    if (cameraMode == 1) {
        lookAt = {static_cast<float>(eye.x + c * cameraDistance), cameraHeight,
                  static_cast<float>(eye.z - s * cameraDistance)};
    } else if (cameraMode == 2) {
        eye = {static_cast<float>(lookAt.x + c * cameraDistance), cameraHeight,
               static_cast<float>(lookAt.z - s * cameraDistance)};
    }
    view = glm::lookAtLH(glm::vec3(eye.x, eye.y, eye.z), glm::vec3(lookAt.x, lookAt.y, lookAt.z),
                         glm::vec3(0.0f, 1.0f, 0.0f));
    projection = glm::perspectiveLH_ZO(FieldOfViewY, Aspect, NearPlane, FarPlane);
}
