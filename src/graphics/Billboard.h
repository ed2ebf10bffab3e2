#pragma once
#include "graphics/Rect.h"

#include <cstdint>

class Graphics;
class Texture;

// A flat textured rectangle standing upright at a world position and turned about the vertical
// axis to face the camera. It animates through up to three pictures on the game clock.
class Billboard {
public:
    static constexpr int MaxFrames = 3;

    explicit Billboard(Graphics* graphics);

    void Setup(Texture* texture, float width, float height, Rect frame);   // one frame
    void AddFrame(Rect frame);             // up to three; a fourth replaces the third
    void SetPosition(float x, float y, float z);
    void SetAnimationStyle(uint8_t style)  { animationStyle = style; }
    void SetBlendMode(uint8_t mode)        { blendMode = mode; }
    Texture* GetTexture() const            { return texture; }
    Rect GetFrame(int8_t index) const;     // indices outside 0..2 are held to that range
    int8_t LastFrame() const               { return lastFrame; }
    void Draw();

    // The turn about y that faces a viewer looking from eye to target (dx, dz: the view
    // direction's x and z parts).
    static float FacingYaw(float dx, float dz);

private:
    Graphics* graphics;                 // not owned; device and camera
    Texture*  texture = nullptr;        // not owned; the sheet the frames are cut from
    float     width = 0.0f;             // world units
    float     height = 0.0f;            // world units
    int8_t    lastFrame = 0;            // index of the last frame, 0..2
    uint8_t   animationStyle = 0;       // 0 slow 0,1,2,1 cycle; others fast 0,1,2
    Rect      frames[MaxFrames];        // texture pixels of the declared size
    float     positionX = 0.0f;         // world units, centre of the rectangle
    float     positionY = 0.0f;
    float     positionZ = 0.0f;
    uint8_t   blendMode = 1;            // for Graphics::SetBlendMode
};
