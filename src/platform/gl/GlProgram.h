#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The shader of the game: texture x vertex colour (alpha too), the alpha test, left-handed
// depth 0..1 projection remapped to OpenGL's clip range, and pre-transformed screen vertices.
// The plain variant always modulates and never tests alpha. Written once for GLSL 3.30 core and
// GLSL ES 3.00 (OpenGL ES 3.0, WebGL2) alike.
class GlProgram {
public:
    bool Build(bool plain, bool es, std::string& error);
    ~GlProgram();

    void Use() const;
    void SetViewProjection(const float matrix[16]) const;
    void SetScreenSpace(bool screenSpace) const;
    void SetCombine(int colourCombine, int alphaCombine) const;
    void SetAlphaTest(bool enabled) const;
    void SetPictureSize(int width, int height) const;   // pixels

private:
    uint32_t program = 0;
    int viewProjection = -1;
    int screenSpace = -1;
    int colourCombine = -1;
    int alphaCombine = -1;
    int alphaTest = -1;
    int pictureSize = -1;
};

}  // namespace platform
