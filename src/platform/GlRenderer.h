#pragma once
#include "graphics/FrameRecording.h"
#include "platform/DecodedImage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// The OpenGL 3.3 core backend: a context on the game window, the 640x480 offscreen picture,
// one small shader with the fixed-function semantics the game relies on, and the replay of a
// recorded frame merged into few draw calls.
class GlRenderer {
public:
    // Makes the context on the main window. Null and a reason when it cannot.
    static std::shared_ptr<GlRenderer> Create(std::string& error);
    ~GlRenderer();
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;

    // Textures: the image's full mip chain is built with a linear filter. Pictures of one group
    // can share a draw call.
    uint32_t CreateTexture(const DecodedImage& image);
    void DeleteTexture(uint32_t object);   // deferred until the current frame has been drawn
    static uint32_t GroupOf(uint32_t object);

    // Draws a frame into the picture (cleared to opaque black, depth 1.0) and returns its
    // draw calls.
    int DrawFrame(const FrameRecording& recording);
    // Reads the picture just drawn (top row first, opaque).
    DecodedImage ReadPicture();
    // Shows the picture in the window, scaled to fit with 4:3 black bars.
    void Present(bool integerScale);

    const std::string& Description() const { return description; }   // GL version and renderer

private:
    GlRenderer() = default;
    void UploadVertices(const FrameRecording& recording, const std::vector<DrawBatch>& batches);
    void DrawBatchNow(const DrawBatch& batch);
    void FlushDeletes();

    struct Objects;
    std::unique_ptr<Objects> gl;
    std::vector<uint32_t> pendingDeletes;
    std::string description;
};

}  // namespace platform
