#include "graphics/Sprite.h"

#include "core/Trig.h"
#include "graphics/Graphics.h"
#include "graphics/Texture.h"

Sprite::Sprite(Graphics* graphics_) : graphics(graphics_) {}

void Sprite::SetSource(Texture* newTexture, int16_t x, int16_t y, int16_t width, int16_t height)
{
    texture = newTexture;
    source = {x, y, width, height};
}

void Sprite::SetPosition(float x, float y, float z)
{
    positionX = x;
    positionY = y;
    positionZ = z;
}

void Sprite::SetPivotTopLeft()
{
    pivotX = static_cast<float>(-(source.width / 2));
    pivotY = static_cast<float>(-(source.height / 2));
}

void Sprite::SetColour(uint32_t colour)
{
    for (uint32_t& corner : cornerColours) corner = colour;
}

void Sprite::SetCornerColour(int8_t index, uint32_t colour)
{
    if (index < 0 || index > 3) return;
    cornerColours[index] = colour;
}

void Sprite::Draw()
{
    // Texture rectangle in the declared size's terms.
    float u = 0.0f, v = 0.0f, du = 0.0f, dv = 0.0f;
    if (texture != nullptr && texture->Width() != 0 && texture->Height() != 0) {
        const float w = texture->Width();
        const float h = texture->Height();
        u = source.x / w;
        v = source.y / h;
        du = source.width / w;
        dv = source.height / h;
    }

    // Half sizes as 16-bit integers: an odd size draws one pixel narrower.
    const int halfWidth = static_cast<int16_t>(source.width) / 2;
    const int halfHeight = static_cast<int16_t>(source.height) / 2;
    const float cornerX[4] = {positionX - halfWidth, positionX + halfWidth, positionX + halfWidth, positionX - halfWidth};
    const float cornerY[4] = {positionY - halfHeight, positionY - halfHeight, positionY + halfHeight, positionY + halfHeight};
    const float cornerU[4] = {u, u + du, u + du, u};
    const float cornerV[4] = {v, v, v + dv, v + dv};

    const float centreX = positionX + pivotX;
    const float centreY = positionY + pivotY;
    const float c = CosF(rotation);
    const float s = SinF(rotation);

    ScreenVertex vertices[4];
    for (int i = 0; i < 4; ++i) {
        const float dx = (cornerX[i] - centreX) * scaleX;
        const float dy = (cornerY[i] - centreY) * scaleY;
        const uint32_t colour = texture != nullptr ? cornerColours[0] : cornerColours[i];
        vertices[i] = ScreenVertex(centreX + dx * c - dy * s, centreY + dx * s + dy * c, positionZ,
                                   colour, cornerU[i], cornerV[i]);
    }
    graphics->SetTexture(texture);
    graphics->DrawScreenQuad(vertices, blendMode);
}
