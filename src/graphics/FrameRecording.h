#pragma once
#include "graphics/CameraPose.h"
#include "graphics/RenderStates.h"
#include "graphics/Vec3.h"

#include <cstdint>
#include <glm/mat4x4.hpp>
#include <span>
#include <vector>

class Texture;

// What one recorded draw was.
enum class DrawKind : uint8_t {
    Face,             // a block face; detail = face number 0..5
    WorldPrimitive,   // a fan, strip or list of world vertices (billboards, effects)
    ScreenQuad,       // a sprite or plain screen rectangle
    Text,             // one glyph of a text run; detail = the character code
};

// A vertex as it will be drawn: world vertices already carry their world transform (world
// units), screen vertices are in pixels with their depth. Lighting is already applied.
struct RecordedVertex {
    float    x = 0.0f;
    float    y = 0.0f;
    float    z = 0.0f;
    uint32_t colour = 0;   // ARGB
    float    u = 0.0f;
    float    v = 0.0f;
};

struct RecordedDraw {
    DrawKind       kind = DrawKind::Face;
    DrawState      state;
    const Texture* texture = nullptr;   // identity only: may be gone by the time the list is read
    uint32_t       textureKey = 0;      // a loaded texture's serial number; 0 draws untextured (white)
    uint32_t       textureObject = 0;   // the renderer's object for it; 0 without a renderer
    uint32_t       textureGroup = 0;    // textures of one group can share a draw call; 0: untextured
    int32_t        detail = 0;          // face number or character code
    const void*    mover = nullptr;     // the moving thing that drew it, stable while it lives; null: still
    Vec3           moverPosition;       // where that thing stood in this frame, world units
    bool           facesCamera = false; // a billboard, turned about y to face the frame's camera
    uint32_t       firstVertex = 0;     // into Vertices(), a triangle list
    uint32_t       vertexCount = 0;     // a multiple of 3
};

// The per-frame command list: every draw of the frame in the order the game issued it.
// Graphics fills it between BeginFrame and EndFrame; EndFrame hands it to the renderer.
class FrameRecording {
public:
    void Clear();
    void SetCamera(const CameraPose& pose, const glm::mat4& matrix) { camera = pose; viewProjection = matrix; }

    // Appends a draw of triangles (3 vertices each); returns where its vertices go.
    RecordedVertex* Append(const RecordedDraw& draw, uint32_t vertexCount);

    // Changes each draw's state or identity in place; its vertices stay.
    template <typename Change> void ChangeDraws(Change change)
    {
        for (RecordedDraw& draw : draws) change(draw);
    }

    const std::vector<RecordedDraw>&   Draws() const    { return draws; }
    const std::vector<RecordedVertex>& Vertices() const { return vertices; }
    std::span<const RecordedVertex> VerticesOf(const RecordedDraw& draw) const;
    const glm::mat4& ViewProjection() const { return viewProjection; }
    const CameraPose& Camera() const { return camera; }

private:
    std::vector<RecordedDraw>   draws;
    std::vector<RecordedVertex> vertices;
    glm::mat4 viewProjection{1.0f};   // projection * view of this frame (depth 0..1)
    CameraPose camera;                // the camera that view was made from
};

// Neighbouring draws merged into one draw call: same state and textures of one group (each
// vertex picks its picture within the group; untextured draws join any batch), vertices in the
// order they were drawn.
struct DrawBatch {
    DrawState state;
    uint32_t  textureGroup = 0;   // 0: every draw of the batch is untextured
    uint32_t  firstDraw = 0;      // into FrameRecording::Draws()
    uint32_t  drawCount = 0;
    uint32_t  firstVertex = 0;    // into FrameRecording::Vertices(); the batch's draws are contiguous
    uint32_t  vertexCount = 0;
};

// Splits a frame into draw calls; order is kept exactly (a batch never moves a draw).
std::vector<DrawBatch> BatchFrame(const FrameRecording& recording);
