#include "platform/gl/GlRenderer.h"

#include "platform/gl/GlApi.h"
#include "platform/gl/GlContext.h"
#include "platform/gl/GlHost.h"
#include "platform/gl/GlProgram.h"
#include "platform/gl/GlTexturePools.h"
#include "platform/gl/RgbaBytes.h"
#include "platform/system/Window.h"

#include <algorithm>
#include <cmath>
#include <glm/gtc/type_ptr.hpp>

namespace platform {

struct GlRenderer::Objects {
    GlContext context;
    GlProgram program;
    GlProgram plainProgram;         // for draws that can neither discard nor combine otherwise
    GlTexturePools pictures;
    GLuint sceneFramebuffer = 0;    // where frames are drawn, multisampled when asked
    GLuint sceneColour = 0;
    GLuint sceneDepth = 0;
    GLuint resolvedFramebuffer = 0; // the multisampled picture resolved; 0 without multisampling
    GLuint resolvedColour = 0;
    GLuint worldFramebuffer = 0;    // the 3-D world where it is held smaller than the picture; else 0
    GLuint worldColour = 0;
    GLuint worldDepth = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint layerBuffer = 0;
    GLuint linearSampler = 0;    // linear with mip levels (and anisotropy where offered)
    GLuint nearestSampler = 0;   // nearest, top level only
    std::vector<uint8_t> layers; // per vertex: the picture's layer in its group (0: white)

    GLuint PictureFramebuffer() const { return resolvedFramebuffer != 0 ? resolvedFramebuffer : sceneFramebuffer; }

    void DeletePicture()
    {
        glDeleteRenderbuffers(1, &worldDepth);
        glDeleteRenderbuffers(1, &worldColour);
        glDeleteFramebuffers(1, &worldFramebuffer);
        worldDepth = worldColour = worldFramebuffer = 0;
        glDeleteRenderbuffers(1, &resolvedColour);
        glDeleteFramebuffers(1, &resolvedFramebuffer);
        glDeleteRenderbuffers(1, &sceneDepth);
        glDeleteRenderbuffers(1, &sceneColour);
        glDeleteFramebuffers(1, &sceneFramebuffer);
        resolvedColour = resolvedFramebuffer = sceneDepth = sceneColour = sceneFramebuffer = 0;
    }

    ~Objects()
    {
        if (!context.Created()) return;
        context.MakeCurrent();
        glDeleteSamplers(1, &linearSampler);
        glDeleteSamplers(1, &nearestSampler);
        glDeleteBuffers(1, &layerBuffer);
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
        DeletePicture();
    }
};

namespace {

constexpr int LayoutWidth = 640;    // the game's screen coordinates
constexpr int LayoutHeight = 480;

GLuint MakeRenderbuffer(GLenum format, int samples, int width, int height)
{
    GLuint buffer = 0;
    glGenRenderbuffers(1, &buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    return buffer;
}

GLuint MakeFramebuffer(GLuint colour, GLuint depth)
{
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    if (depth != 0) glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    return framebuffer;
}

bool IsSoftwareRasterizer(const std::string& description)
{
    return description.find("llvmpipe") != std::string::npos || description.find("softpipe") != std::string::npos;
}

// Vertices as recorded (position, ARGB colour, texture coordinates) plus a picture layer stream.
void MakeVertexLayout(GLuint& vertexArray, GLuint& vertexBuffer, GLuint& layerBuffer)
{
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    constexpr GLsizei stride = sizeof(RecordedVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(RecordedVertex, x)));
    // An ARGB word in memory is B, G, R, A: the shader puts them in order.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(offsetof(RecordedVertex, colour)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(RecordedVertex, u)));
    glGenBuffers(1, &layerBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, layerBuffer);
    glEnableVertexAttribArray(3);
    glVertexAttribIPointer(3, 1, GL_UNSIGNED_BYTE, 1, nullptr);
}

GLuint MakeSampler(bool linear, bool anisotropic)
{
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
    // Walls seen at a slant stay sharp in the distance where the driver can filter that way.
    if (linear && anisotropic) {
        GLfloat most = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &most);
        glSamplerParameterf(sampler, GL_TEXTURE_MAX_ANISOTROPY_EXT, std::min(most, 8.0f));
    }
    return sampler;
}

void ApplyBlend(uint8_t blend)
{
    if (blend == BlendAlpha) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else if (blend == BlendAdditive) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
    } else {
        glDisable(GL_BLEND);
    }
}

// The picture is stored top row first, upside down for OpenGL: a triangle clockwise on the
// game's screen winds counter-clockwise in OpenGL's terms.
void ApplyCulling(uint8_t cullMode)
{
    if (cullMode == CullClockwise || cullMode == CullCounterClockwise) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
        glFrontFace(cullMode == CullClockwise ? GL_CW : GL_CCW);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void TurnOver(DecodedImage& image)
{
    const auto row = [&](int y) { return image.pixels.begin() + static_cast<ptrdiff_t>(y) * image.width; };
    for (int y = 0; y < image.height / 2; ++y) std::swap_ranges(row(y), row(y + 1), row(image.height - 1 - y));
}

// Whether depths copy from an offscreen picture into the window: only where the window's depth
// buffer has the picture's format (no stencil beside it, for one).
bool DepthCopiesIntoWindow(GLuint picture)
{
    while (glGetError() != GL_NO_ERROR) {}
    glBindFramebuffer(GL_READ_FRAMEBUFFER, picture);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, 1, 1, 0, 0, 1, 1, GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    return glGetError() == GL_NO_ERROR;
}

// The first screen draw that neither tests nor writes depths: from there on a frame can be drawn
// at the picture's size over the held world. The end when there is none.
size_t FirstFreeScreenBatch(const std::vector<DrawBatch>& batches)
{
    const auto free = std::find_if(batches.begin(), batches.end(), [](const DrawBatch& batch) {
        return batch.state.screenSpace && !batch.state.depthTest && !batch.state.depthWrite;
    });
    return static_cast<size_t>(free - batches.begin());
}

// Where in the held world (its pixels, top row first) the draws from `from` on test depths:
// around the screen draws that do, all of it for a world draw that does; empty when none does.
DepthArea TestedDepths(const std::vector<DrawBatch>& batches, size_t from, std::span<const RecordedVertex> vertices,
                       int worldWidth, int worldHeight)
{
    constexpr int Margin = 2;   // pixels: a quad's edge rounds into the pixel beside it
    DepthArea area{worldWidth, worldHeight, 0, 0};
    for (size_t b = from; b < batches.size(); ++b) {
        const DrawBatch& batch = batches[b];
        if (!batch.state.depthTest) continue;
        if (!batch.state.screenSpace) return {0, 0, worldWidth, worldHeight};
        const float scaleX = static_cast<float>(worldWidth) / LayoutWidth;
        const float scaleY = static_cast<float>(worldHeight) / LayoutHeight;
        for (uint32_t v = batch.firstVertex; v < batch.firstVertex + batch.vertexCount; ++v) {
            const int x = static_cast<int>(std::floor(vertices[v].x * scaleX));
            const int y = static_cast<int>(std::floor(vertices[v].y * scaleY));
            area = {std::min(area.left, x - Margin), std::min(area.top, y - Margin),
                    std::max(area.right, x + Margin), std::max(area.bottom, y + Margin)};
        }
    }
    return {std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, worldWidth),
            std::min(area.bottom, worldHeight)};
}

void ApplyDepth(bool test, bool write)
{
    if (test) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    glDepthMask(write ? GL_TRUE : GL_FALSE);
}

}  // namespace

PictureSize FitPicture(int outputWidth, int outputHeight, const PictureOptions& options, bool software)
{
    double scale = std::min(static_cast<double>(outputWidth) / LayoutWidth,
                            static_cast<double>(outputHeight) / LayoutHeight);
    if (options.integerScale && scale >= 1.0) scale = std::floor(scale);
    if (options.classic) scale = 1.0;
    scale = std::max(scale, 1.0);
    PictureSize size;
    size.width = static_cast<int>(std::lround(LayoutWidth * scale));
    size.height = static_cast<int>(std::lround(LayoutHeight * scale));
    const bool worldHeld = software && !options.fullResolution;
    size.worldWidth = worldHeld ? LayoutWidth : size.width;
    size.worldHeight = worldHeld ? LayoutHeight : size.height;
    return size;
}

std::shared_ptr<GlRenderer> GlRenderer::Create(const PictureOptions& options, std::string& error)
{
    std::shared_ptr<GlRenderer> renderer(new GlRenderer());
    renderer->gl = std::make_unique<Objects>();
    renderer->options = options;
    Objects& gl = *renderer->gl;
    if (!GlContext::Create(gl.context, error)) return nullptr;
    const bool es = gl.context.Es();
    if (!gl.program.Build(false, es, error) || !gl.plainProgram.Build(true, es, error)) return nullptr;
    renderer->description = gl.context.Description();
    renderer->software = IsSoftwareRasterizer(renderer->description);
    gl.context.SetVsync(options.vsync);

    renderer->windowKeepsPicture = WindowTakesPictureRowsTopFirst();

    renderer->ChooseSamplesAndFilter();
    renderer->FitPictureToOutput();
    if (gl.sceneFramebuffer == 0) {
        error = "the picture cannot be made";
        return nullptr;
    }
    renderer->windowTakesDepth = renderer->windowKeepsPicture && renderer->samples == 0 &&
                                 DepthCopiesIntoWindow(gl.sceneFramebuffer);
    renderer->FitPictureToOutput();
    MakeVertexLayout(gl.vertexArray, gl.vertexBuffer, gl.layerBuffer);
    gl.pictures.MakeWhite();
    gl.nearestSampler = MakeSampler(false, false);
    glDepthFunc(GL_LEQUAL);
    renderer->WarmUp();
    return renderer;
}

// Multisampling and anisotropic filtering are something added: not in the classic picture,
// nor on a software rasteriser held to 640x480 (there, anisotropy alone makes a LINEAR view
// over the ruin cost 2.6 times as much).
void GlRenderer::ChooseSamplesAndFilter()
{
    const bool plain = options.classic || (software && !options.fullResolution);
    GLint mostSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &mostSamples);
    samples = plain ? 0 : std::clamp(options.samples, 0, static_cast<int>(mostSamples));
    if (gl->linearSampler != 0) glDeleteSamplers(1, &gl->linearSampler);
    const bool anisotropic = !plain && (gl->context.HasExtension("GL_EXT_texture_filter_anisotropic") ||
                                        gl->context.HasExtension("GL_ARB_texture_filter_anisotropic"));
    gl->linearSampler = MakeSampler(true, anisotropic);
}

void GlRenderer::SetPresentation(bool classic, bool vsync)
{
    if (classic == options.classic && vsync == options.vsync) return;
    gl->context.MakeCurrent();
    options.classic = classic;
    options.vsync = vsync;
    gl->context.SetVsync(vsync);
    ChooseSamplesAndFilter();
    gl->DeletePicture();   // made anew, at the new size and samples, by the next picture
}

GlRenderer::~GlRenderer()
{
    if (gl) gl->context.MakeCurrent();
}

uint32_t GlRenderer::GroupOf(uint32_t object) { return GlTexturePools::GroupOf(object); }

uint32_t GlRenderer::CreateTexture(const DecodedImage& image)
{
    gl->context.MakeCurrent();
    return gl->pictures.Add(image);
}

void GlRenderer::DeleteTexture(uint32_t object)
{
    if (object != 0) deletedThisFrame.push_back(object);
}

void GlRenderer::StartFrame()
{
    gl->context.MakeCurrent();
    for (uint32_t object : deletedLastFrame) gl->pictures.Remove(object);
    deletedLastFrame.swap(deletedThisFrame);
    deletedThisFrame.clear();
}

float GlRenderer::PictureScale() const { return static_cast<float>(pictureWidth) / LayoutWidth; }

// Follows the window: a new output size gets a picture of its own size.
void GlRenderer::FitPictureToOutput()
{
    gl->context.DrawableSize(outputWidth, outputHeight);
    const PictureSize size = FitPicture(outputWidth, outputHeight, options, software);
    worldWidth = size.worldWidth;
    worldHeight = size.worldHeight;
    if (gl->sceneFramebuffer == 0 || size.width != pictureWidth || size.height != pictureHeight) {
        if (!MakePicture(size.width, size.height) && samples > 0) {
            samples = 0;   // the driver would not multisample this picture: draw it plain
            MakePicture(size.width, size.height);
        }
    }
    // A picture of the window's own size, neither multisampled nor scaled, is drawn straight
    // into the window: copying it there would cost a pass over every pixel (on a software
    // rasteriser about a seventh of a frame). With the clip origin at the top left, OpenGL lays
    // the rows out top first in the window, and the pixels come out exactly as offscreen.
    // A held world is scaled into it with its depths, which needs a window that takes them.
    drawsInWindow = windowKeepsPicture && samples == 0 && pictureWidth == outputWidth && pictureHeight == outputHeight &&
                    (!HoldsWorld() || windowTakesDepth);
}

void GlRenderer::BindPictureTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, drawsInWindow ? 0 : gl->sceneFramebuffer);
    if (windowKeepsPicture) PlaceRowsTopFirst(drawsInWindow);
    glViewport(0, 0, pictureWidth, pictureHeight);
}

void GlRenderer::BindWorldTarget()
{
    glBindFramebuffer(GL_FRAMEBUFFER, gl->worldFramebuffer);
    if (windowKeepsPicture) PlaceRowsTopFirst(false);
    glViewport(0, 0, worldWidth, worldHeight);
}

// The held world scaled up to fill the picture, as it would be shown scaled had everything
// been drawn at its size, and its depths where later draws test them, so that those are hidden
// by the world as they would have been. (Only there: on llvmpipe, copying all the depths makes
// the draws after it several times slower.)
void GlRenderer::ScaleWorldIntoPicture(const DepthArea& depths)
{
    const GLuint target = drawsInWindow ? 0 : gl->sceneFramebuffer;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->worldFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    // The window's rows run up: the world, stored top row first, is turned over into it.
    const int top = drawsInWindow ? pictureHeight : 0, bottom = drawsInWindow ? 0 : pictureHeight;
    const bool wholeScale = pictureWidth % worldWidth == 0 && pictureHeight % worldHeight == 0;
    glBlitFramebuffer(0, 0, worldWidth, worldHeight, 0, top, pictureWidth, bottom, GL_COLOR_BUFFER_BIT,
                      wholeScale ? GL_NEAREST : GL_LINEAR);
    if (depths.left >= depths.right || depths.top >= depths.bottom) return;
    const auto toPicture = [&](int world, int worldSize, int pictureSize) {
        return static_cast<int>(static_cast<int64_t>(world) * pictureSize / worldSize);
    };
    const int left = toPicture(depths.left, worldWidth, pictureWidth), right = toPicture(depths.right, worldWidth, pictureWidth);
    int upper = toPicture(depths.top, worldHeight, pictureHeight), lower = toPicture(depths.bottom, worldHeight, pictureHeight);
    if (drawsInWindow) {
        upper = pictureHeight - upper;
        lower = pictureHeight - lower;
    }
    glBlitFramebuffer(depths.left, depths.top, depths.right, depths.bottom, left, upper, right, lower,
                      GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}

bool GlRenderer::MakePicture(int width, int height)
{
    gl->DeletePicture();
    pictureWidth = width;
    pictureHeight = height;
    gl->sceneColour = MakeRenderbuffer(GL_RGBA8, samples, width, height);
    gl->sceneDepth = MakeRenderbuffer(GL_DEPTH_COMPONENT24, samples, width, height);
    gl->sceneFramebuffer = MakeFramebuffer(gl->sceneColour, gl->sceneDepth);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (samples > 0) {
        gl->resolvedColour = MakeRenderbuffer(GL_RGBA8, 0, width, height);
        gl->resolvedFramebuffer = MakeFramebuffer(gl->resolvedColour, 0);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    if (HoldsWorld()) {
        gl->worldColour = MakeRenderbuffer(GL_RGBA8, 0, worldWidth, worldHeight);
        gl->worldDepth = MakeRenderbuffer(GL_DEPTH_COMPONENT24, 0, worldWidth, worldHeight);
        gl->worldFramebuffer = MakeFramebuffer(gl->worldColour, gl->worldDepth);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    if (!complete) gl->DeletePicture();
    return complete;
}

// A draw that modulates and can never fail the alpha test (an opaque picture, and no vertex
// alpha below the reference) comes out the same from the plain shader.
bool GlRenderer::NeverDiscards(const RecordedDraw& draw, std::span<const RecordedVertex> vertices) const
{
    if (!gl->pictures.Opaque(draw.textureObject)) return false;
    constexpr uint32_t lowestAlpha = AlphaTestReference << 24;
    return std::all_of(vertices.begin() + draw.firstVertex, vertices.begin() + draw.firstVertex + draw.vertexCount,
                       [](const RecordedVertex& v) { return v.colour >= lowestAlpha; });
}

void GlRenderer::UploadVertices(const FrameRecording& recording, std::span<const RecordedVertex> vertices,
                                const std::vector<DrawBatch>& batches)
{
    gl->layers.assign(vertices.size(), 0);
    plainBatches.assign(batches.size(), false);
    for (size_t b = 0; b < batches.size(); ++b) {
        const DrawBatch& batch = batches[b];
        const DrawState& state = batch.state;
        bool plain = state.colourCombine == CombineModulate && state.alphaCombine == CombineModulate;
        for (uint32_t d = batch.firstDraw; d < batch.firstDraw + batch.drawCount; ++d) {
            const RecordedDraw& draw = recording.Draws()[d];
            plain = plain && (!state.alphaTest || NeverDiscards(draw, vertices));
            const uint32_t object = draw.textureObject;
            if (object == 0 || GlTexturePools::GroupOf(object) != batch.textureGroup) continue;
            std::fill_n(gl->layers.begin() + draw.firstVertex, draw.vertexCount, GlTexturePools::LayerOf(object));
        }
        plainBatches[b] = plain;
    }
    glBindBuffer(GL_ARRAY_BUFFER, gl->vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(RecordedVertex)), vertices.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, gl->layerBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(gl->layers.size()), gl->layers.data(), GL_STREAM_DRAW);
}

void GlRenderer::UsePrograms(const glm::mat4& viewProjection, int width, int height)
{
    for (const GlProgram* program : {&gl->plainProgram, &gl->program}) {
        program->Use();
        program->SetViewProjection(glm::value_ptr(viewProjection));
        program->SetPictureSize(width, height);
    }
    plainInUse = false;
}

void GlRenderer::DrawBatchNow(const DrawBatch& batch, bool plain)
{
    const DrawState& state = batch.state;
    ApplyBlend(state.blend);
    ApplyCulling(state.cullMode);
    ApplyDepth(state.depthTest, state.depthWrite);
    if (plain != plainInUse) {
        (plain ? gl->plainProgram : gl->program).Use();
        plainInUse = plain;
    }
    const GlProgram& program = plain ? gl->plainProgram : gl->program;
    program.SetScreenSpace(state.screenSpace);
    program.SetCombine(state.colourCombine, state.alphaCombine);
    program.SetAlphaTest(state.alphaTest);
    glBindTexture(GL_TEXTURE_2D_ARRAY, gl->pictures.ArrayOf(batch.textureGroup));
    glBindSampler(0, state.linearFilter ? gl->linearSampler : gl->nearestSampler);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(batch.firstVertex), static_cast<GLsizei>(batch.vertexCount));
}

int GlRenderer::DrawFrame(const FrameRecording& recording, std::span<const RecordedVertex> vertices,
                          const glm::mat4& viewProjection)
{
    gl->context.MakeCurrent();
    FitPictureToOutput();
    const bool worldHeld = HoldsWorld();
    if (worldHeld) BindWorldTarget();
    else BindPictureTarget();
    glDepthMask(GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);   // depths to 1.0, the clear value never changed

    const std::vector<DrawBatch> batches = BatchFrame(recording);
    UsePrograms(viewProjection, worldHeld ? worldWidth : pictureWidth, worldHeld ? worldHeight : pictureHeight);
    glBindVertexArray(gl->vertexArray);
    UploadVertices(recording, vertices, batches);
    size_t b = 0;
    if (worldHeld) {
        // The world and the screen draws among it (the sky, sprites hidden by near blocks) at
        // the held size, up to the first screen draw that neither tests nor writes depths (the
        // first text); from there on, in the order drawn, everything at the picture's size.
        const size_t split = FirstFreeScreenBatch(batches);
        for (; b < split; ++b) DrawBatchNow(batches[b], plainBatches[b]);
        ScaleWorldIntoPicture(TestedDepths(batches, split, vertices, worldWidth, worldHeight));
        BindPictureTarget();
        UsePrograms(viewProjection, pictureWidth, pictureHeight);
    }
    for (; b < batches.size(); ++b) DrawBatchNow(batches[b], plainBatches[b]);

    if (gl->resolvedFramebuffer != 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->sceneFramebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, gl->resolvedFramebuffer);
        glBlitFramebuffer(0, 0, pictureWidth, pictureHeight, 0, 0, pictureWidth, pictureHeight,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    return static_cast<int>(batches.size());
}

// Fits the 4:3 picture inside a target of the output's size; black bars fill the rest. The
// window, whose rows run up, gets the picture (stored top row first) turned over.
void GlRenderer::ShowPicture(uint32_t framebuffer, int width, int height)
{
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
    double scale = std::min(static_cast<double>(width) / pictureWidth, static_cast<double>(height) / pictureHeight);
    if (options.integerScale && scale >= 1.0) scale = std::floor(scale);
    const int shownWidth = static_cast<int>(pictureWidth * scale);
    const int shownHeight = static_cast<int>(pictureHeight * scale);
    if (shownWidth != width || shownHeight != height) {   // the bars
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    if (shownWidth <= 0 || shownHeight <= 0) return;
    const int left = (width - shownWidth) / 2;
    const int bottom = (height - shownHeight) / 2;
    const bool turnOver = framebuffer == 0;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->PictureFramebuffer());
    glBlitFramebuffer(0, 0, pictureWidth, pictureHeight, left, turnOver ? bottom + shownHeight : bottom,
                      left + shownWidth, turnOver ? bottom : bottom + shownHeight, GL_COLOR_BUFFER_BIT,
                      scale == std::floor(scale) ? GL_NEAREST : GL_LINEAR);
}

DecodedImage GlRenderer::ReadPicture()
{
    gl->context.MakeCurrent();
    DecodedImage image;
    image.width = outputWidth;
    image.height = outputHeight;
    image.pixels.resize(static_cast<size_t>(outputWidth) * outputHeight);
    GLuint source = drawsInWindow ? 0 : gl->PictureFramebuffer();
    GLuint output = 0, outputColour = 0;
    if (!drawsInWindow && (outputWidth != pictureWidth || outputHeight != pictureHeight)) {
        outputColour = MakeRenderbuffer(GL_RGBA8, 0, outputWidth, outputHeight);
        output = MakeFramebuffer(outputColour, 0);
        ShowPicture(output, outputWidth, outputHeight);
        source = output;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    std::vector<uint8_t> rgba(image.pixels.size() * 4);
    glReadPixels(0, 0, outputWidth, outputHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    ArgbWordsOf(rgba, image.pixels);
    glDeleteFramebuffers(1, &output);
    glDeleteRenderbuffers(1, &outputColour);
    // The offscreen picture is stored top row first already; the window reads bottom row first.
    if (drawsInWindow) TurnOver(image);
    // It is shown opaque whatever its alpha.
    for (uint32_t& pixel : image.pixels) pixel |= 0xff000000u;
    return image;
}

void GlRenderer::WaitUntilDrawn()
{
    gl->context.MakeCurrent();
    glFinish();
}

void GlRenderer::Present()
{
    gl->context.MakeCurrent();
    if (!drawsInWindow) ShowPicture(0, outputWidth, outputHeight);
    // An invisible window's swap does nothing, and a software rasteriser would pile up frames
    // until its queue overflows and stalls for half a second: each picture is finished here,
    // as a visible window's swap does, whether it was drawn in the window or offscreen.
    if (!VideoIsVisible()) glFinish();
    gl->context.Swap();
}

// Drawing with a state for the first time makes the driver build code for it (a software
// rasteriser compiles a whole pixel pipeline, tens of milliseconds): build them all now, before
// the title's first frame, rather than drop frames when the stage first fades in.
//
// What the driver builds code for: the blend and depth states, the sampler, and the kind of
// texture (white, or pictures with mip levels whose sides are or are not powers of two). Vertex
// colours, the alpha test and the combine modes are the shader's own switches and cost nothing
// new. The game draws opaque and alpha-blended, with depth or (text) without.
void GlRenderer::WarmUp()
{
    DecodedImage square, uneven;
    square.width = square.height = 4;
    square.pixels.assign(16, 0xffffffffu);
    uneven.width = uneven.height = 6;
    uneven.pixels.assign(36, 0xffffffffu);
    const uint32_t samplePictures[3] = {0, gl->pictures.Add(square), gl->pictures.Add(uneven)};

    BindPictureTarget();   // the code built depends on the target's pixel format
    UsePrograms(glm::mat4(1.0f), pictureWidth, pictureHeight);
    glBindVertexArray(gl->vertexArray);
    const RecordedVertex corner[3] = {{0, 0, 0.5f, 0xffffffffu, 0, 0}, {2, 0, 0.5f, 0xffffffffu, 1, 0},
                                      {0, 2, 0.5f, 0xffffffffu, 0, 1}};
    for (const uint32_t picture : samplePictures) {
        FrameRecording triangle;
        RecordedDraw draw;
        draw.textureObject = picture;
        draw.textureGroup = GroupOf(picture);
        std::copy(std::begin(corner), std::end(corner), triangle.Append(draw, 3));
        const std::vector<DrawBatch> batches = BatchFrame(triangle);
        UploadVertices(triangle, triangle.Vertices(), batches);
        DrawBatch batch = batches.front();
        batch.state.screenSpace = true;
        batch.state.cullMode = CullNone;
        for (const uint8_t blend : {BlendOpaque, BlendAlpha}) {
            for (const bool depth : {true, false}) {
                for (const bool linear : {false, true}) {
                    batch.state.blend = blend;
                    batch.state.depthTest = batch.state.depthWrite = depth;
                    batch.state.linearFilter = linear;
                    DrawBatchNow(batch, false);
                    DrawBatchNow(batch, true);
                }
            }
        }
    }
    // The copies that resolve and show the picture, scaled by whole numbers and not.
    if (gl->resolvedFramebuffer != 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->sceneFramebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, gl->resolvedFramebuffer);
        glBlitFramebuffer(0, 0, 2, 2, 0, 0, 2, 2, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->PictureFramebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(0, 0, 2, 2, 0, 0, 2, 2, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBlitFramebuffer(0, 0, 2, 2, 0, 0, 3, 3, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    if (HoldsWorld()) ScaleWorldIntoPicture({0, 0, worldWidth, worldHeight});   // and the held world's scaling
    glFinish();
    for (const uint32_t picture : samplePictures) gl->pictures.Remove(picture);
}

}  // namespace platform
