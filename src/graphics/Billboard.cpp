#include "graphics/Billboard.h"

#include "core/Trig.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"

#include <algorithm>
#include <numbers>

Billboard::Billboard(Graphics* graphics_) : graphics(graphics_) {}

void Billboard::Setup(Texture* newTexture, float newWidth, float newHeight, Rect frame)
{
    lastFrame = 0;
    texture = newTexture;
    width = newWidth;
    height = newHeight;
    frames[0] = frame;
}

void Billboard::AddFrame(Rect frame)
{
    lastFrame = static_cast<int8_t>(std::min(lastFrame + 1, MaxFrames - 1));
    frames[lastFrame] = frame;
}

void Billboard::SetPosition(float x, float y, float z)
{
    positionX = x;
    positionY = y;
    positionZ = z;
}

Rect Billboard::GetFrame(int8_t index) const
{
    return frames[std::clamp<int>(index, 0, MaxFrames - 1)];
}

float Billboard::FacingYaw(float dx, float dz)
{
    constexpr float halfPi = std::numbers::pi_v<float> / 2.0f;
    // Straight up or down the direction has no yaw; any fixed angle serves.
    if (dx == 0.0f && dz == 0.0f) return 0.0f;
    if (dx > 0.0f) return halfPi - AtanF(dz / dx);
    return -halfPi - AtanF(dz / dx);
}

void Billboard::Draw()
{
    const Vec3 eye = graphics->GetEye();
    const Vec3 lookAt = graphics->GetLookAt();
    const float yaw = FacingYaw(lookAt.x - eye.x, lookAt.z - eye.z);

    // Turn about y (local z goes to (sin, 0, cos)), then move to the position.
    const float c = CosF(yaw);
    const float s = SinF(yaw);
    glm::mat4 world(1.0f);
    world[0] = glm::vec4(c, 0.0f, -s, 0.0f);
    world[2] = glm::vec4(s, 0.0f, c, 0.0f);
    world[3] = glm::vec4(positionX, positionY, positionZ, 1.0f);
    graphics->SetWorldMatrix(world);
    graphics->SetBlendMode(blendMode);

    float u = 0.0f, v = 0.0f, du = 1.0f, dv = 1.0f;
    if (texture != nullptr) {
        int frame = 0;
        if (lastFrame > 0) {
            frame = graphics->AnimationFrame(animationStyle);
            if (frame > lastFrame) frame /= 2;
        }
        const Rect& picture = frames[std::clamp(frame, 0, MaxFrames - 1)];
        const float w = texture->Width();
        const float h = texture->Height();
        if (w != 0.0f && h != 0.0f) {
            u = picture.x / w;
            v = picture.y / h;
            du = picture.width / w;
            dv = picture.height / h;
        }
        graphics->SetTexture(texture);
    }

    const float halfWidth = width / 2.0f;
    const float halfHeight = height / 2.0f;
    constexpr uint32_t white = 0xffffffffu;
    const WorldVertex vertices[4] = {
        {-halfWidth, -halfHeight, 0.0f, white, u, v + dv},
        {halfWidth, -halfHeight, 0.0f, white, u + du, v + dv},
        {halfWidth, halfHeight, 0.0f, white, u + du, v},
        {-halfWidth, halfHeight, 0.0f, white, u, v},
    };
    graphics->SetMovingThing(this, Vec3{positionX, positionY, positionZ}, true);
    graphics->DrawWorldPrimitive(PrimitiveType::TriangleFan, vertices, 4);
    graphics->ClearMovingThing();
    graphics->SetBlendMode(BlendOpaque);
}
