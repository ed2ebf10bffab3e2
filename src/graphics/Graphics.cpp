#include "graphics/Graphics.h"

#include "core/GameClock.h"
#include "core/Settings.h"
#include "core/Translation.h"
#include "graphics/GlyphAtlas.h"
#include "graphics/Texture.h"
#include "platform/gl/GlRenderer.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/images/Screenshot.h"

#include <cstdio>
#include <glm/ext/matrix_transform.hpp>

namespace {

// The six faces of the 10-unit block centred on the origin, each a fan of four corners. On the
// side faces v = 0 is at the top, so pictures stand upright on every wall.
constexpr uint32_t FaceColour = 0x7fffffff;
const WorldVertex blockFaces[6][4] = {
    {{-5, -5, -5, FaceColour, 0, 1}, {5, -5, -5, FaceColour, 1, 1}, {5, 5, -5, FaceColour, 1, 0}, {-5, 5, -5, FaceColour, 0, 0}},
    {{-5, -5, 5, FaceColour, 0, 1}, {5, -5, 5, FaceColour, 1, 1}, {5, 5, 5, FaceColour, 1, 0}, {-5, 5, 5, FaceColour, 0, 0}},
    {{-5, -5, 5, FaceColour, 1, 1}, {-5, -5, -5, FaceColour, 0, 1}, {-5, 5, -5, FaceColour, 0, 0}, {-5, 5, 5, FaceColour, 1, 0}},
    {{5, -5, 5, FaceColour, 0, 1}, {5, -5, -5, FaceColour, 1, 1}, {5, 5, -5, FaceColour, 1, 0}, {5, 5, 5, FaceColour, 0, 0}},
    {{-5, 5, 5, FaceColour, 0, 1}, {5, 5, 5, FaceColour, 1, 1}, {5, 5, -5, FaceColour, 1, 0}, {-5, 5, -5, FaceColour, 0, 0}},
    {{-5, -5, 5, FaceColour, 0, 1}, {5, -5, 5, FaceColour, 1, 1}, {5, -5, -5, FaceColour, 1, 0}, {-5, -5, -5, FaceColour, 0, 0}},
};

// Triangles a primitive of n vertices makes (fans and strips: n - 2; lists: n / 3).
int TriangleCount(PrimitiveType type, int vertexCount)
{
    if (type == PrimitiveType::TriangleList) return vertexCount / 3;
    return vertexCount >= 3 ? vertexCount - 2 : 0;
}

// The three corners of triangle t of a primitive, keeping the winding of every triangle.
void TriangleCorners(PrimitiveType type, int t, int corners[3])
{
    if (type == PrimitiveType::TriangleFan) {
        corners[0] = 0; corners[1] = t + 1; corners[2] = t + 2;
    } else if (type == PrimitiveType::TriangleStrip) {
        // Odd strip triangles swap two corners so all of them wind the same way.
        const bool odd = (t & 1) != 0;
        corners[0] = t; corners[1] = odd ? t + 2 : t + 1; corners[2] = odd ? t + 1 : t + 2;
    } else {
        corners[0] = 3 * t; corners[1] = 3 * t + 1; corners[2] = 3 * t + 2;
    }
}

TextureCombine CombineOf(uint32_t operation, uint32_t argument1, uint32_t argument2)
{
    const auto source = [](uint32_t argument) {
        return argument == TextureArgumentTexture ? CombineTexture : CombineDiffuse;
    };
    switch (operation) {
    case TextureOperationSelectArgument1: return source(argument1);
    case TextureOperationSelectArgument2: return source(argument2);
    case TextureOperationModulate:
        // The same argument twice is taken as that argument alone.
        return source(argument1) == source(argument2) ? source(argument1) : CombineModulate;
    default: return CombineDiffuse;   // a disabled stage passes the vertex colour on
    }
}

}  // namespace

namespace {

// Text and plain rectangles lie over the picture whatever the game's states: alpha-blended,
// no depth, no alpha test, nearest filter.
DrawState OverScreenState(uint8_t combine)
{
    DrawState state;
    state.blend = BlendAlpha;
    state.alphaTest = false;
    state.depthTest = false;
    state.depthWrite = false;
    state.linearFilter = false;
    state.cullMode = CullNone;
    state.colourCombine = combine;
    state.alphaCombine = combine;
    state.screenSpace = true;
    return state;
}

void AppendScreenFan(RecordedVertex* out, const ScreenVertex corners[4])
{
    constexpr int order[6] = {0, 1, 2, 0, 2, 3};
    for (int index : order) {
        const ScreenVertex& v = corners[index];
        *out++ = RecordedVertex{v.x, v.y, v.z, v.colour, v.u, v.v};
    }
}

}  // namespace

Graphics::Graphics() : glyphAtlases(std::make_unique<GlyphAtlasCache>()) {}

Graphics::~Graphics()
{
    // Atlases hold textures on the renderer: let them go while it is still there.
    glyphAtlases.reset();
    renderer.reset();
}

bool Graphics::CreateDevice()
{
    cullMode = CullNone;   // both sides of every triangle are drawn
    if (!Settings().render) return true;

    const RunSettings& settings = Settings();
    platform::PictureOptions options;
    options.classic = settings.classic;
    options.samples = settings.msaa;
    options.integerScale = settings.integerScale;
    options.fullResolution = settings.fullResolution;
    options.vsync = !settings.headless && !settings.classic && !settings.timedemo && settings.fps == 0;
    std::string error;
    renderer = platform::GlRenderer::Create(options, error);
    if (renderer) return true;

    std::fprintf(stderr, "velmoor: OpenGL could not be started: %s\n", error.c_str());
    if (!Settings().headless) {
        const std::string reason = "OpenGL could not be started: " + error;
        platform::ShowMessageBox(Translate("Velmoor cannot start"), Translate("OpenGL could not be started"), reason.c_str());
    }
    return false;
}

void Graphics::BeginFrame()
{
    // The frame just drawn becomes the one pictures between frames start from; before the first
    // frame there is none.
    std::swap(recording, previousRecording);
    hasPreviousRecording = anyFrameBegun;
    anyFrameBegun = true;
    recording.Clear();
    mover = nullptr;
    if (renderer) renderer->StartFrame();
    ApplyCamera();
    recording.SetCamera(CameraPose{eye, lookAt, cameraMode, cameraAngle, cameraHeight, cameraDistance},
                        projection * view);
}

void Graphics::EndFrame()
{
    if (!renderer) {
        for (const ScreenshotWanted& wanted : screenshots) {
            std::fprintf(stderr, "velmoor: no picture is drawn, so %s is not saved\n", wanted.path.c_str());
            lastScreenshotSaved = false;
        }
        screenshots.clear();
        return;
    }
    lastPictureFraction = -1.0f;
    SaveScreenshots();
    if (!picturePerFrame) return;
    if (lastPictureFraction < 1.0f) DrawPicture(1.0f);
    renderer->Present();
    ++picturesPresented;
}

void Graphics::DrawPictureAndWait(float t)
{
    if (!renderer) return;
    DrawPicture(t);
    renderer->WaitUntilDrawn();
}

void Graphics::ShowPicture()
{
    if (!renderer) return;
    renderer->Present();
    ++picturesPresented;
}

void Graphics::DrawPicture(float t)
{
    lastPictureFraction = t;
    blend.Make(hasPreviousRecording ? &previousRecording : nullptr, recording, t);
    if (overlay.Draws().empty()) {
        lastFrameDrawCalls = renderer->DrawFrame(recording, blend.Vertices(), blend.ViewProjection());
        return;
    }
    LayOverlayOver(recording, blend.Vertices());
    lastFrameDrawCalls = renderer->DrawFrame(overlaid, overlaidVertices, blend.ViewProjection());
}

// The overlay goes last, so it covers the frame whatever the frame drew.
void Graphics::LayOverlayOver(const FrameRecording& frame, std::span<const RecordedVertex> frameVertices)
{
    overlaid = frame;
    for (const RecordedDraw& draw : overlay.Draws()) {
        const std::span<const RecordedVertex> corners = overlay.VerticesOf(draw);
        std::copy(corners.begin(), corners.end(), overlaid.Append(draw, draw.vertexCount));
    }
    overlaidVertices.assign(frameVertices.begin(), frameVertices.end());
    const std::vector<RecordedVertex>& all = overlaid.Vertices();
    overlaidVertices.insert(overlaidVertices.end(), all.begin() + static_cast<std::ptrdiff_t>(frameVertices.size()), all.end());
}

void Graphics::ShowStill()
{
    if (!renderer) return;
    SaveScreenshots();
    DrawPicture(1.0f);
    renderer->Present();
    ++picturesPresented;
}

void Graphics::SetClassicPresentation(bool classic)
{
    if (!renderer) return;
    const RunSettings& settings = Settings();
    renderer->SetPresentation(classic, !settings.headless && !classic && !settings.timedemo && settings.fps == 0);
}

void Graphics::BeginOverlay()
{
    if (drawingOverlay) return;
    std::swap(recording, overlay);
    recording.Clear();
    drawingOverlay = true;
}

void Graphics::EndOverlay()
{
    if (!drawingOverlay) return;
    std::swap(recording, overlay);
    drawingOverlay = false;
}

void Graphics::DrawPlainRectangle(float left, float top, float right, float bottom, uint32_t colour)
{
    RecordedDraw draw;
    draw.kind = DrawKind::ScreenQuad;
    draw.state = OverScreenState(CombineDiffuse);
    const ScreenVertex corners[4] = {{left, top, 0.0f, colour, 0.0f, 0.0f}, {right, top, 0.0f, colour, 0.0f, 0.0f},
                                     {right, bottom, 0.0f, colour, 0.0f, 0.0f}, {left, bottom, 0.0f, colour, 0.0f, 0.0f}};
    AppendScreenFan(recording.Append(draw, 6), corners);
}

void Graphics::RefilterDrawnFrames(bool linear)
{
    for (FrameRecording* frame : {&recording, &previousRecording}) {
        frame->ChangeDraws([linear](RecordedDraw& draw) {
            if (draw.kind != DrawKind::Text) draw.state.linearFilter = linear;
        });
    }
}

void Graphics::SaveScreenshots()
{
    for (const ScreenshotWanted& wanted : screenshots) {
        DrawPicture(wanted.fraction);
        lastScreenshotSaved = platform::SavePng(wanted.path, renderer->ReadPicture());
        if (!lastScreenshotSaved) std::fprintf(stderr, "velmoor: cannot write %s\n", wanted.path.c_str());
    }
    screenshots.clear();
}

float Graphics::PictureScale() const { return renderer ? renderer->PictureScale() : 1.0f; }

void Graphics::SetMovingThing(const void* identity, Vec3 position, bool facesCamera)
{
    mover = identity;
    moverPosition = position;
    moverFacesCamera = facesCamera;
}

// Logic-only runs pay for the batching only when someone asks (the timedemo statistics).
int Graphics::LastFrameDrawCalls() const
{
    return renderer ? lastFrameDrawCalls : static_cast<int>(BatchFrame(recording).size());
}

void Graphics::SetBlendMode(uint8_t mode)
{
    if (mode == BlendAlpha || mode == BlendAdditive) {
        alphaTestEnabled = true;
        alphaBlendEnabled = true;
        blendFactors = mode;
        return;
    }
    // Opaque switches blending off only: the alpha test stays as the last translucent draw left it.
    alphaBlendEnabled = false;
}

void Graphics::SetTextureFilter(bool linear) { linearFilter = linear; }

void Graphics::SetRenderState(RenderState state, uint32_t value)
{
    switch (state) {
    case RenderState::DepthTest:  depthTest = value != 0; break;
    case RenderState::DepthWrite: depthWrite = value != 0; break;
    case RenderState::Lighting:   lighting = value != 0; break;
    case RenderState::CullMode:   cullMode = value; break;
    }
}

void Graphics::SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value)
{
    if (stage != 0) return;   // the game draws with one texture stage
    const auto index = static_cast<size_t>(type);
    if (index < std::size(stageStates)) stageStates[index] = value;
}

void Graphics::SetTexture(const Texture* newTexture)
{
    texture = newTexture;
    textureKey = newTexture ? newTexture->Key() : 0;
    textureObject = newTexture ? newTexture->RendererObject() : 0;
    textureGroup = newTexture ? newTexture->Group() : 0;
}

void Graphics::SetWorldTranslation(float x, float y, float z)
{
    world = glm::translate(glm::mat4(1.0f), glm::vec3(x, y, z));
    worldIsTranslation = true;
}

void Graphics::SetWorldMatrix(const glm::mat4& matrix)
{
    world = matrix;
    worldIsTranslation = false;
}

DrawState Graphics::CurrentState(bool screenSpace) const
{
    DrawState state;
    state.blend = alphaBlendEnabled ? blendFactors : BlendOpaque;
    state.alphaTest = alphaTestEnabled;
    state.depthTest = depthTest;
    state.depthWrite = depthWrite;
    state.linearFilter = linearFilter;
    state.cullMode = static_cast<uint8_t>(cullMode);
    state.colourCombine = CombineOf(stageStates[0], stageStates[1], stageStates[2]);
    state.alphaCombine = CombineOf(stageStates[3], stageStates[4], stageStates[5]);
    state.screenSpace = screenSpace;
    return state;
}

RecordedDraw Graphics::StartDraw(DrawKind kind, bool screenSpace, int32_t detail) const
{
    RecordedDraw draw;
    draw.kind = kind;
    draw.state = CurrentState(screenSpace);
    draw.texture = texture;
    draw.textureKey = textureKey;
    draw.textureObject = textureObject;
    draw.textureGroup = textureGroup;
    draw.detail = detail;
    if (!screenSpace && mover != nullptr) {
        draw.mover = mover;
        draw.moverPosition = moverPosition;
        draw.facesCamera = moverFacesCamera;
    }
    return draw;
}

RecordedVertex Graphics::TransformWorldVertex(const WorldVertex& vertex) const
{
    RecordedVertex out;
    if (worldIsTranslation) {
        out.x = vertex.x + world[3][0];
        out.y = vertex.y + world[3][1];
        out.z = vertex.z + world[3][2];
    } else {
        const glm::vec4 p = world * glm::vec4(vertex.x, vertex.y, vertex.z, 1.0f);
        out.x = p.x;
        out.y = p.y;
        out.z = p.z;
    }
    // No lights exist: with lighting on, world colours turn black and keep their alpha.
    out.colour = lighting ? (vertex.colour & 0xff000000u) : vertex.colour;
    out.u = vertex.u;
    out.v = vertex.v;
    return out;
}

void Graphics::RecordWorldTriangles(DrawKind kind, int32_t detail, const WorldVertex* corners,
                                    PrimitiveType type, int vertexCount)
{
    const int triangles = TriangleCount(type, vertexCount);
    if (triangles <= 0 || corners == nullptr) return;
    RecordedVertex* out = recording.Append(StartDraw(kind, false, detail), 3u * triangles);
    for (int t = 0; t < triangles; ++t) {
        int index[3];
        TriangleCorners(type, t, index);
        for (int corner : index) *out++ = TransformWorldVertex(corners[corner]);
    }
}

// A side face is drawn as its lower and upper halves. Boxes are 10 units tall on 5-unit layers,
// so the sides of a cell and of the cell below overlap by half in one plane; drawn whole, the
// two faces' depths come from different corners and differ in their last bits, and the walls
// show bands of stripes. Halves made the same way from the same world corners get exactly the
// same depths, and the later face covers the earlier as drawn.
void Graphics::DrawFace(int8_t face, bool lowerHalfOnly)
{
    if (face < 0 || face > 5) return;
    if (face >= 4) {
        RecordWorldTriangles(DrawKind::Face, face, blockFaces[face], PrimitiveType::TriangleFan, 4);
        return;
    }
    const WorldVertex* c = blockFaces[face];   // bottom left, bottom right, top right, top left
    const auto middle = [](const WorldVertex& bottom, const WorldVertex& top) {
        return WorldVertex(bottom.x, 0.0f, bottom.z, bottom.colour, bottom.u, (bottom.v + top.v) / 2.0f);
    };
    const WorldVertex left = middle(c[0], c[3]), right = middle(c[1], c[2]);
    const WorldVertex halves[12] = {c[0], c[1], right, c[0], right, left,
                                    left, right, c[2], left, c[2], c[3]};
    RecordWorldTriangles(DrawKind::Face, face, halves, PrimitiveType::TriangleList, lowerHalfOnly ? 6 : 12);
}

void Graphics::DrawWorldPrimitive(PrimitiveType type, const WorldVertex* vertices, int vertexCount)
{
    RecordWorldTriangles(DrawKind::WorldPrimitive, 0, vertices, type, vertexCount);
}

void Graphics::DrawScreenQuad(const ScreenVertex vertices[4], uint8_t blendMode)
{
    if (blendMode == BlendOpaque) {
        alphaBlendEnabled = false;
    } else if (blendMode == BlendAlpha || blendMode == BlendAdditive) {
        alphaBlendEnabled = true;
        blendFactors = blendMode;
    }
    AppendScreenFan(recording.Append(StartDraw(DrawKind::ScreenQuad, true, 0), 6), vertices);
    alphaBlendEnabled = false;
}

void Graphics::DrawTextQuad(const Texture* atlas, const ScreenVertex vertices[4], int32_t character)
{
    RecordedDraw draw;
    draw.kind = DrawKind::Text;
    draw.state = OverScreenState(CombineModulate);
    draw.texture = atlas;
    draw.textureKey = atlas ? atlas->Key() : 0;
    draw.textureObject = atlas ? atlas->RendererObject() : 0;
    draw.textureGroup = atlas ? atlas->Group() : 0;
    draw.detail = character;
    AppendScreenFan(recording.Append(draw, 6), vertices);
}

int8_t Graphics::AnimationFrame(uint8_t style) const
{
    const uint32_t t = GameMilliseconds();
    if (style == 0) {
        const uint32_t frame = (t % 1584u) / 396u;   // 0, 1, 2, 3 for 396 ms each
        return static_cast<int8_t>(frame == 3 ? 1 : frame);
    }
    return static_cast<int8_t>((t % 192u) / 64u);
}

void Graphics::RequestScreenshot(std::string path, float t)
{
    screenshots.push_back({std::move(path), t});
}

const GlyphAtlas* Graphics::FindGlyphAtlas(const char* faceName, int32_t height, int32_t weight, float scale,
                                           const std::u32string& extras)
{
    return glyphAtlases->Find(this, faceName, height, weight, scale, extras);
}

void Graphics::ApplyCamera()
{
    CameraPose pose{eye, lookAt, cameraMode, cameraAngle, cameraHeight, cameraDistance};
    DeriveCameraPoint(pose);
    eye = pose.eye;
    lookAt = pose.lookAt;
    view = CameraView(pose);
    projection = CameraProjection();
}
