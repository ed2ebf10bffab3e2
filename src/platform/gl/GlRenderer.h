#pragma once
#include "graphics/FrameRecording.h"
#include "platform/images/DecodedImage.h"

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

// A rectangle of the held world's pixels, top row first, right and bottom edges excluded.
struct DepthArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// How the picture is made and shown.
struct PictureOptions {
    bool classic = false;          // the 640x480 picture, no multisampling, no anisotropy
    int  samples = 0;              // multisampling: 0, 2, 4 or 8 (held to what the driver offers)
    bool integerScale = false;     // the picture grows by whole numbers only
    bool fullResolution = false;   // a software rasteriser draws the 3-D world at the output's size too
    bool vsync = false;            // each swap waits for the display's refresh
};

// The OpenGL backend, one code for OpenGL 3.3 core on the desktop and OpenGL ES 3.0 (WebGL2) in
// a browser, drawing the same pixels: a context on the game window, the offscreen picture (the
// 4:3 part of the output, at its own pixel size), one small shader with the fixed-function
// semantics the game relies on, and the replay of a recorded frame merged into few draw calls.
// On a software rasteriser the 3-D world (and the screen draws among it, up to the first one
// that uses no depths: the first text) is drawn into a 640x480 picture of its own and scaled up
// into the picture, where the rest of the frame (text, bars, sprites) is drawn at its size.
class GlRenderer {
public:
    // Makes the context on the main window and compiles every shader and state the game will
    // draw with. Null and a reason when it cannot.
    static std::shared_ptr<GlRenderer> Create(const PictureOptions& options, std::string& error);
    ~GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // Textures: each image gets its full mip chain, every level averaged from the one above.
    // Pictures of one group can share a draw call.
    uint32_t CreateTexture(const DecodedImage& image);
    // Kept until two frames have started: pictures between frames still show the frame that
    // drew with it.
    void DeleteTexture(uint32_t object);
    static uint32_t GroupOf(uint32_t object);
    void StartFrame();

    // Draws a frame's draws with the given vertices (the recorded ones, or moved for a picture
    // between frames) and camera into the picture (cleared to opaque black, depth 1.0);
    // returns its draw calls.
    int DrawFrame(const FrameRecording& recording, std::span<const RecordedVertex> vertices,
                  const glm::mat4& viewProjection);
    // The picture just drawn as the output shows it (top row first, opaque, with the bars).
    DecodedImage ReadPicture();
    // Shows the picture in the window, scaled to fit with 4:3 black bars.
    void Present();
    // Returns once the drawing so far is done, so that what Present then takes is only its own
    // copy and the wait for the display.
    void WaitUntilDrawn();

    // The classic presentation or the smooth one, changed while the game runs (the options).
    void SetPresentation(bool classic, bool vsync);

    float PictureScale() const;                    // picture pixels per pixel of the 640x480 layout
    bool SoftwareRasterizer() const { return software; }
    const std::string& Description() const { return description; }   // GL version and renderer

private:
    GlRenderer() = default;
    void FitPictureToOutput();
    void ChooseSamplesAndFilter();
    bool MakePicture(int width, int height);
    void WarmUp();
    void UploadVertices(const FrameRecording& recording, std::span<const RecordedVertex> vertices,
                        const std::vector<DrawBatch>& batches);
    bool NeverDiscards(const RecordedDraw& draw, std::span<const RecordedVertex> vertices) const;
    void UsePrograms(const glm::mat4& viewProjection, int width, int height);   // the target's pixels
    void DrawBatchNow(const DrawBatch& batch, bool plain);
    void ShowPicture(uint32_t framebuffer, int width, int height);
    void BindPictureTarget();
    void BindWorldTarget();
    bool HoldsWorld() const { return worldWidth != pictureWidth || worldHeight != pictureHeight; }
    void ScaleWorldIntoPicture(const DepthArea& depths);

    struct Objects;
    std::unique_ptr<Objects> gl;
    PictureOptions options;
    std::vector<bool> plainBatches;   // per batch of the frame: drawn with the plain shader
    bool plainInUse = false;
    std::vector<uint32_t> deletedThisFrame;
    std::vector<uint32_t> deletedLastFrame;
    std::string description;
    bool software = false;        // llvmpipe or softpipe: no GPU
    int  samples = 0;             // of the picture's multisampling; 0: none
    bool windowKeepsPicture = false;   // the window's clip origin can go to the top left, and its
                                       // pixels and depths are as fine as the offscreen picture's
    bool windowTakesDepth = false;   // depths copy from the offscreen picture into the window
    bool drawsInWindow = false;   // the picture is drawn straight into the window: no copy
    int  pictureWidth = 640;      // pixels
    int  pictureHeight = 480;     // pixels
    int  worldWidth = 640;        // pixels of the 3-D world's own picture, where it is held
    int  worldHeight = 480;       // smaller than the picture
    int  outputWidth = 640;       // pixels of the window's drawable
    int  outputHeight = 480;
};

// The sizes a frame is drawn at for an output. The picture (and with it text, bars and sprites)
// is the largest 4:3 area that fits, never smaller than 640x480, and 640x480 itself in the
// classic presentation. The 3-D world is drawn at the picture's size too, except on a software
// rasteriser, where it is held to 640x480 (so its frames keep their time) unless asked otherwise.
struct PictureSize {
    int width = 640, height = 480;             // pixels
    int worldWidth = 640, worldHeight = 480;   // pixels
};
PictureSize FitPicture(int outputWidth, int outputHeight, const PictureOptions& options, bool software);

}  // namespace platform
