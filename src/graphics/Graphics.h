#pragma once
#include "graphics/FrameRecording.h"
#include "graphics/PictureBlend.h"
#include "graphics/RenderStates.h"
#include "graphics/Vec3.h"
#include "graphics/Vertex.h"

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <memory>
#include <span>
#include <string>
#include <vector>

class Texture;
class GlyphAtlas;
class GlyphAtlasCache;
namespace platform { class GlRenderer; }

// The one object through which the game draws. It holds the camera that the screens and the
// stage set during a frame and that BeginFrame of the next frame turns into the view and
// projection, and it brackets every frame.
//
// Nothing is drawn while the game issues draws: each draw is recorded with the state it was
// made with into the frame's command list, and EndFrame hands the list to the renderer (none
// with --no-render). Tests read the list with no renderer at all.
class Graphics {
public:
    Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;
    ~Graphics();

    // Makes the renderer and its picture. False when the game cannot run (after a message
    // box); with --no-render it makes nothing and succeeds.
    bool CreateDevice();
    bool HasRenderer() const { return renderer != nullptr; }

    void BeginFrame();   // clear to opaque black and depth 1.0, apply the camera
    // Saves a requested screenshot and, unless pictures are shown between frames, draws the
    // recorded frame and presents it.
    void EndFrame();

    // Pictures. By default every frame ends with its own picture. When the shell shows pictures
    // between frames instead, each is the camera and the moving things a fraction t of the way
    // from the previous frame to the last one (t = 1: the last frame exactly).
    void SetPicturePerFrame(bool perFrame) { picturePerFrame = perFrame; }
    void PresentPicture(float t) { DrawPictureAndWait(t); ShowPicture(); }
    // The same in two steps, for pacing: the drawing (done when this returns), then the showing
    // (which may wait for the display's refresh).
    void DrawPictureAndWait(float t);
    void ShowPicture();
    // The drawing alone, for a page that is composited once the browser's call returns.
    void DrawPicture(float t);
    uint64_t PicturesPresented() const { return picturesPresented; }

    // The classic presentation (640x480, no multisampling, no vsync) or the smooth one, changed
    // while the game runs; the shell changes its pacing with it.
    void SetClassicPresentation(bool classic);

    // A still: the last frame's picture again with the overlay over it, any screenshot asked
    // for saved, and shown. A paused game shows its menus this way.
    void ShowStill();

    // Screen draws laid over every picture until cleared (the shell's menus over a paused
    // game). Between BeginOverlay and EndOverlay every draw goes to the overlay, which starts
    // empty; the game's own frames and states are not touched.
    void BeginOverlay();
    void EndOverlay();
    void ClearOverlay() { overlay.Clear(); }
    const FrameRecording& Overlay() const { return overlay; }
    // A rectangle of one colour over the picture, alpha-blended whatever the game's states.
    void DrawPlainRectangle(float left, float top, float right, float bottom, uint32_t colour);

    // The texture filtering of the frames already drawn, changed as the next frame would draw
    // them (a still shows a change of the options at once).
    void RefilterDrawnFrames(bool linear);
    // Output pixels per pixel of the 640x480 layout: text is rasterised at this scale.
    float PictureScale() const;

    // Draws that follow belong to one moving thing (its identity must stay the same while it
    // lives) standing at a position; pictures between frames slide it from where it stood in
    // the frame before. A billboard turns to face the camera of each picture.
    void SetMovingThing(const void* identity, Vec3 position, bool facesCamera);
    void ClearMovingThing() { mover = nullptr; }

    // States for the draws that follow.
    void SetBlendMode(uint8_t mode);      // BlendOpaque, BlendAlpha or BlendAdditive (sticky alpha test)
    void SetTextureFilter(bool linear);   // linear with mip levels, or nearest without
    void SetRenderState(RenderState state, uint32_t value);
    void SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value);
    void SetTexture(const Texture* texture);   // null, or a texture with nothing loaded: untextured
    void SetWorldTranslation(float x, float y, float z);
    void SetWorldMatrix(const glm::mat4& world);

    // Draws.
    // One face 0..5 of the 10-unit block under the world transform; of a side face 0..3 only
    // the lower half when asked (the upper half is known to be covered by a later face).
    void DrawFace(int8_t face, bool lowerHalfOnly = false);
    void DrawWorldPrimitive(PrimitiveType type, const WorldVertex* vertices, int vertexCount);
    // A sprite's rectangle (a fan of four corners) with the sprite's own blend states: mode 0
    // opaque, 1 alpha, 2 additive, any other keeps the blending as it is; blending is off after.
    void DrawScreenQuad(const ScreenVertex vertices[4], uint8_t blendMode);
    // One glyph of a text run: alpha-blended, no depth, no alpha test, nearest filter, whatever
    // the game's states; the game's states are left as they were.
    void DrawTextQuad(const Texture* atlas, const ScreenVertex vertices[4], int32_t character);

    // The clock-driven billboard frame: style 0 cycles 0,1,2,1 every 396 ms, others 0,1,2
    // every 64 ms.
    int8_t AnimationFrame(uint8_t style) const;

    static constexpr int PictureWidthPixels  = 640;
    static constexpr int PictureHeightPixels = 480;
    static int PictureWidth()  { return PictureWidthPixels; }
    static int PictureHeight() { return PictureHeightPixels; }

    // The command list of the frame being recorded (after EndFrame: of the frame just drawn,
    // until the next BeginFrame).
    const FrameRecording& Recording() const { return recording; }
    // Draw calls of the last frame; without a renderer, the calls it would have taken.
    int LastFrameDrawCalls() const;

    // Saves, at the next EndFrame, the picture a fraction t of the way from the frame before
    // to the frame ending (t = 1: that frame exactly) as a PNG file at the output size. Several
    // may be asked for one frame.
    void RequestScreenshot(std::string path, float t = 1.0f);
    bool LastScreenshotSaved() const { return lastScreenshotSaved; }

    // The glyph atlas of a face at a cell height and weight, made once and shared by every
    // Font that asks for it. Null when no usable font exists.
    // The atlas is rasterised at a scale of output pixels per layout pixel, and holds the
    // `extras` (characters beyond ASCII, ascending) besides ASCII.
    const GlyphAtlas* FindGlyphAtlas(const char* faceName, int32_t height, int32_t weight, float scale = 1.0f,
                                     const std::u32string& extras = {});

    // For Texture: the renderer textures are made on (empty without a device).
    std::weak_ptr<platform::GlRenderer> Renderer() const { return renderer; }

    // Camera. The setters only store; ApplyCamera (run by BeginFrame) derives the point of
    // modes 1 and 2 and builds the matrices.
    void SetCameraMode(int8_t mode)       { cameraMode = mode; }
    void SetCameraAngle(float angle)      { cameraAngle = angle; }
    void SetCameraHeight(float height)    { cameraHeight = height; }
    void SetCameraDistance(float distance){ cameraDistance = distance; }
    void SetEye(Vec3 position)            { eye = position; }
    void SetLookAt(Vec3 target)           { lookAt = target; }
    Vec3 GetEye() const                   { return eye; }
    // The eye of the frame before: pictures between frames are seen from eyes between it and
    // GetEye's (the same eye when there is no frame before).
    Vec3 EarlierEye() const { return hasPreviousRecording ? previousRecording.Camera().eye : eye; }
    Vec3 GetLookAt() const                { return lookAt; }
    int8_t GetCameraMode() const          { return cameraMode; }
    float GetCameraAngle() const          { return cameraAngle; }
    float GetCameraHeight() const         { return cameraHeight; }
    float GetCameraDistance() const       { return cameraDistance; }

    void ApplyCamera();

    // Left-handed view and perspective (depth 0 near .. 1 far) as of the last ApplyCamera,
    // in GLM's column-vector convention: clip = projection * view * world * point.
    const glm::mat4& ViewMatrix() const       { return view; }
    const glm::mat4& ProjectionMatrix() const { return projection; }

    static constexpr float FieldOfViewY = 1.0471976f;   // pi / 3
    static constexpr float Aspect       = 1.0f;         // the 4:3 picture is widened from a square view
    static constexpr float NearPlane    = 0.1f;
    static constexpr float FarPlane     = 300.0f;

private:
    DrawState CurrentState(bool screenSpace) const;
    RecordedDraw StartDraw(DrawKind kind, bool screenSpace, int32_t detail) const;
    void RecordWorldTriangles(DrawKind kind, int32_t detail, const WorldVertex* corners,
                              PrimitiveType type, int vertexCount);
    RecordedVertex TransformWorldVertex(const WorldVertex& vertex) const;
    void LayOverlayOver(const FrameRecording& frame, std::span<const RecordedVertex> frameVertices);
    void SaveScreenshots();

    Vec3   eye;                      // camera position, world units
    Vec3   lookAt;                   // camera target, world units
    int8_t cameraMode     = 0;       // 0 fixed, 1 first person, 2 orbit (others behave as 0)
    float  cameraAngle    = 0.0f;    // yaw, radians
    float  cameraHeight   = 0.0f;    // y of the derived point (modes 1 and 2)
    float  cameraDistance = 5.0f;    // horizontal distance between eye and target (modes 1, 2)
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};

    // Device states, as the game last set them.
    bool     alphaBlendEnabled = false;
    uint8_t  blendFactors      = BlendOpaque;   // which factor pair blending uses when enabled
    bool     alphaTestEnabled  = false;         // sticky: only translucent modes change it
    bool     linearFilter      = false;
    bool     depthTest         = true;
    bool     depthWrite        = true;
    bool     lighting          = true;
    uint32_t cullMode          = CullCounterClockwise;
    uint32_t stageStates[6]    = {TextureOperationModulate, TextureArgumentTexture,
                                  TextureArgumentCurrent, TextureOperationSelectArgument1,
                                  TextureArgumentTexture, TextureArgumentCurrent};
    // The bound texture as it was when bound: a texture deleted while still bound is never read.
    const Texture* texture     = nullptr;
    uint32_t textureKey        = 0;
    uint32_t textureObject     = 0;
    uint32_t textureGroup      = 0;
    glm::mat4 world{1.0f};                      // world transform
    bool     worldIsTranslation = true;         // only the translation column is set

    const void* mover = nullptr;                // the moving thing now drawing; null: none
    Vec3     moverPosition;                     // its position, world units
    bool     moverFacesCamera = false;

    FrameRecording recording;
    FrameRecording previousRecording;           // the frame before, for pictures between frames
    FrameRecording overlay;                     // screen draws over every picture; empty: none
    FrameRecording overlaid;                    // a frame's draws and the overlay's, as drawn
    std::vector<RecordedVertex> overlaidVertices;
    bool     drawingOverlay = false;
    bool     hasPreviousRecording = false;
    bool     anyFrameBegun = false;
    PictureBlend blend;
    bool     picturePerFrame = true;
    uint64_t picturesPresented = 0;
    int  lastFrameDrawCalls = 0;
    struct ScreenshotWanted {
        std::string path;
        float       fraction = 1.0f;            // of the way from the frame before, 0..1
    };
    std::vector<ScreenshotWanted> screenshots;  // for the next EndFrame
    float    lastPictureFraction = -1.0f;       // of the picture last drawn; -1: none this frame
    bool lastScreenshotSaved = false;
    std::shared_ptr<platform::GlRenderer> renderer;   // null without a device or with --no-render
    std::unique_ptr<GlyphAtlasCache> glyphAtlases;
};
