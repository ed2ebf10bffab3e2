#pragma once
#include <cstdint>

// The reduced set of device states the game sets. Values follow the classic fixed-function
// numbering so call sites read like the game's own set-up.

// Blend modes of Graphics::SetBlendMode, sprites and billboards.
constexpr uint8_t BlendOpaque   = 0;
constexpr uint8_t BlendAlpha    = 1;   // source alpha over the picture; also turns the alpha test on
constexpr uint8_t BlendAdditive = 2;   // added to the picture; also turns the alpha test on

// Pixels whose alpha (0..255) is below this are discarded while the alpha test is on.
constexpr uint32_t AlphaTestReference = 8;

enum class RenderState : uint8_t {
    DepthTest,     // value 0 or 1; on by default
    DepthWrite,    // value 0 or 1; on by default
    Lighting,      // value 0 or 1; on by default (no lights exist: lit world vertices turn black)
    CullMode,      // a CullMode value; counter-clockwise by default
};

enum CullMode : uint32_t {
    CullNone             = 1,   // both sides of every triangle are drawn
    CullClockwise        = 2,
    CullCounterClockwise = 3,
};

// Texture stage 0 combines the texture and the vertex colour; the game asks for
// texture x vertex colour on both colour and alpha.
enum class TextureStageState : uint8_t {
    ColourOperation,
    ColourArgument1,
    ColourArgument2,
    AlphaOperation,
    AlphaArgument1,
    AlphaArgument2,
};

enum TextureOperation : uint32_t {
    TextureOperationDisable         = 1,
    TextureOperationSelectArgument1 = 2,
    TextureOperationSelectArgument2 = 3,
    TextureOperationModulate        = 4,
};

enum TextureArgument : uint32_t {
    TextureArgumentDiffuse = 0,   // the vertex colour
    TextureArgumentCurrent = 1,   // on stage 0 the same as the vertex colour
    TextureArgumentTexture = 2,
};

// What one channel group (colour or alpha) of a drawn pixel is made of.
enum TextureCombine : uint8_t {
    CombineModulate = 0,   // texture x vertex colour
    CombineTexture  = 1,   // texture only
    CombineDiffuse  = 2,   // vertex colour only
};

enum class PrimitiveType : uint8_t {
    TriangleFan,
    TriangleStrip,
    TriangleList,
};

// The full state one draw is made with, as recorded in the frame's command list.
struct DrawState {
    uint8_t blend         = BlendOpaque;            // effective blend of the draw
    bool    alphaTest     = false;                  // discard alpha below AlphaTestReference
    bool    depthTest     = true;                   // less-or-equal against the depth buffer
    bool    depthWrite    = true;
    bool    linearFilter  = false;                  // linear with mip levels, else nearest
    uint8_t cullMode      = CullCounterClockwise;   // a CullMode value
    uint8_t colourCombine = CombineModulate;        // a TextureCombine value
    uint8_t alphaCombine  = CombineTexture;         // a TextureCombine value
    bool    screenSpace   = false;                  // pre-transformed screen vertices

    friend bool operator==(const DrawState&, const DrawState&) = default;
};
