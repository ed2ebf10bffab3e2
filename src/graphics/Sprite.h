#pragma once
#include "graphics/Rect.h"

#include <cstdint>

class Graphics;
class Texture;

// A rectangle drawn in screen pixels over (or, at far depth, behind) the 3-D scene: a cut-out
// of a texture or, without one, a plain rectangle with one colour per corner. It scales and
// turns about a pivot and blends opaque, translucent or additive.
class Sprite {
public:
    explicit Sprite(Graphics* graphics);

    void SetSource(Texture* texture, int16_t x, int16_t y, int16_t width, int16_t height);
    void ClearTexture()                        { texture = nullptr; }
    void SetWidth(int16_t width)               { source.width = width; }
    void SetHeight(int16_t height)             { source.height = height; }
    void SetPosition(float x, float y, float z);
    void SetBlendMode(uint8_t mode)            { blendMode = mode; }
    void SetScale(float scale)                 { scaleX = scale; scaleY = scale; }
    void SetScaleX(float scale)                { scaleX = scale; }
    void SetPivotTopLeft();                    // the pivot becomes the rectangle's top-left corner
    void SetColour(uint32_t colour);           // all four corners
    void SetCornerColour(int8_t index, uint32_t colour);   // 0 TL, 1 TR, 2 BR, 3 BL; others ignored
    void Draw();

    Texture* GetTexture() const        { return texture; }
    Rect GetSource() const             { return source; }
    uint32_t CornerColour(int index) const { return cornerColours[index & 3]; }

private:
    Graphics* graphics;                 // not owned
    Texture*  texture = nullptr;        // not owned; null: plain coloured rectangle
    Rect      source;                   // texture pixels of the declared size; also the drawn size
    float     positionX = 0.0f;         // screen pixels, centre of the rectangle
    float     positionY = 0.0f;         // screen pixels, down
    float     positionZ = 0.0f;         // depth 0 near .. 1 far
    float     rotation = 0.0f;          // radians, clockwise on the screen
    float     scaleX = 1.0f;
    float     scaleY = 1.0f;
    float     pivotX = 0.0f;            // pixels from the position
    float     pivotY = 0.0f;            // pixels from the position
    uint8_t   blendMode = 0;            // 0 opaque, 1 alpha, 2 additive
    uint32_t  cornerColours[4] = {0xffffffffu, 0xffffffffu, 0xffffffffu, 0xffffffffu};   // ARGB
};
