#include "platform/GlRenderer.h"

#include "platform/GlContext.h"
#include "platform/GlProgram.h"
#include "platform/GlTexturePools.h"

#include <algorithm>
#include <cmath>
#include <epoxy/gl.h>
#include <glm/gtc/type_ptr.hpp>

namespace platform {
namespace {

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

}  // namespace

struct GlRenderer::Objects {
    GlContext context;
    GlProgram program;
    GlTexturePools pictures;
    GLuint framebuffer = 0;
    GLuint colourBuffer = 0;
    GLuint depthBuffer = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint layerBuffer = 0;
    GLuint linearSampler = 0;    // linear with mip levels
    GLuint nearestSampler = 0;   // nearest, top level only
    std::vector<uint8_t> layers; // per vertex: the picture's layer in its group (0: white)

    ~Objects()
    {
        if (!context.Created()) return;
        context.MakeCurrent();
        glDeleteSamplers(1, &linearSampler);
        glDeleteSamplers(1, &nearestSampler);
        glDeleteBuffers(1, &layerBuffer);
        glDeleteBuffers(1, &vertexBuffer);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteRenderbuffers(1, &depthBuffer);
        glDeleteRenderbuffers(1, &colourBuffer);
        glDeleteFramebuffers(1, &framebuffer);
    }
};

namespace {

bool MakePicture(GLuint& framebuffer, GLuint& colour, GLuint& depth)
{
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, PictureWidth, PictureHeight);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, PictureWidth, PictureHeight);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
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
    // An ARGB word in memory is B, G, R, A: the BGRA size reads it straight.
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(offsetof(RecordedVertex, colour)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(RecordedVertex, u)));
    glGenBuffers(1, &layerBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, layerBuffer);
    glEnableVertexAttribArray(3);
    glVertexAttribIPointer(3, 1, GL_UNSIGNED_BYTE, 1, nullptr);
}

GLuint MakeSampler(bool linear)
{
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, linear ? GL_LINEAR : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_REPEAT);
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

void ApplyDepth(bool test, bool write)
{
    if (test) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    glDepthMask(write ? GL_TRUE : GL_FALSE);
}

}  // namespace

std::shared_ptr<GlRenderer> GlRenderer::Create(std::string& error)
{
    std::shared_ptr<GlRenderer> renderer(new GlRenderer());
    renderer->gl = std::make_unique<Objects>();
    Objects& gl = *renderer->gl;
    if (!GlContext::Create(gl.context, error)) return nullptr;
    if (!gl.program.Build(error)) return nullptr;
    if (!MakePicture(gl.framebuffer, gl.colourBuffer, gl.depthBuffer)) {
        error = "the 640x480 picture cannot be made";
        return nullptr;
    }
    MakeVertexLayout(gl.vertexArray, gl.vertexBuffer, gl.layerBuffer);
    gl.pictures.MakeWhite();
    gl.linearSampler = MakeSampler(true);
    gl.nearestSampler = MakeSampler(false);
    glDepthFunc(GL_LEQUAL);
    renderer->description = gl.context.Description();
    return renderer;
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

void GlRenderer::FlushDeletes()
{
    for (uint32_t object : pendingDeletes) gl->pictures.Remove(object);
    pendingDeletes.clear();
}

void GlRenderer::DeleteTexture(uint32_t object)
{
    if (object != 0) pendingDeletes.push_back(object);
}

void GlRenderer::UploadVertices(const FrameRecording& recording, const std::vector<DrawBatch>& batches)
{
    const std::vector<RecordedVertex>& vertices = recording.Vertices();
    gl->layers.assign(vertices.size(), 0);
    for (const DrawBatch& batch : batches) {
        for (uint32_t d = batch.firstDraw; d < batch.firstDraw + batch.drawCount; ++d) {
            const RecordedDraw& draw = recording.Draws()[d];
            const uint32_t object = draw.textureObject;
            if (object == 0 || GlTexturePools::GroupOf(object) != batch.textureGroup) continue;
            std::fill_n(gl->layers.begin() + draw.firstVertex, draw.vertexCount, GlTexturePools::LayerOf(object));
        }
    }
    glBindBuffer(GL_ARRAY_BUFFER, gl->vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(RecordedVertex)), vertices.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, gl->layerBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(gl->layers.size()), gl->layers.data(), GL_STREAM_DRAW);
}

void GlRenderer::DrawBatchNow(const DrawBatch& batch)
{
    const DrawState& state = batch.state;
    ApplyBlend(state.blend);
    ApplyCulling(state.cullMode);
    ApplyDepth(state.depthTest, state.depthWrite);
    gl->program.SetScreenSpace(state.screenSpace);
    gl->program.SetCombine(state.colourCombine, state.alphaCombine);
    gl->program.SetAlphaTest(state.alphaTest);
    glBindTexture(GL_TEXTURE_2D_ARRAY, gl->pictures.ArrayOf(batch.textureGroup));
    glBindSampler(0, state.linearFilter ? gl->linearSampler : gl->nearestSampler);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(batch.firstVertex), static_cast<GLsizei>(batch.vertexCount));
}

int GlRenderer::DrawFrame(const FrameRecording& recording)
{
    gl->context.MakeCurrent();
    glBindFramebuffer(GL_FRAMEBUFFER, gl->framebuffer);
    glViewport(0, 0, PictureWidth, PictureHeight);
    glDepthMask(GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const std::vector<DrawBatch> batches = BatchFrame(recording);
    gl->program.Use();
    gl->program.SetViewProjection(glm::value_ptr(recording.ViewProjection()));
    glBindVertexArray(gl->vertexArray);
    UploadVertices(recording, batches);
    for (const DrawBatch& batch : batches) DrawBatchNow(batch);

    FlushDeletes();
    return static_cast<int>(batches.size());
}

DecodedImage GlRenderer::ReadPicture()
{
    gl->context.MakeCurrent();
    DecodedImage image;
    image.width = PictureWidth;
    image.height = PictureHeight;
    image.pixels.resize(static_cast<size_t>(PictureWidth) * PictureHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, PictureWidth, PictureHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, image.pixels.data());
    // The picture is stored top row first already; it is shown opaque whatever its alpha.
    for (uint32_t& pixel : image.pixels) pixel |= 0xff000000u;
    return image;
}

void GlRenderer::Present(bool integerScale)
{
    gl->context.MakeCurrent();
    int width = 0, height = 0;
    gl->context.DrawableSize(width, height);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    // Fit 4:3 inside the window; black bars fill the rest.
    double scale = std::min(static_cast<double>(width) / PictureWidth, static_cast<double>(height) / PictureHeight);
    if (integerScale && scale >= 1.0) scale = std::floor(scale);
    const int shownWidth = static_cast<int>(PictureWidth * scale);
    const int shownHeight = static_cast<int>(PictureHeight * scale);
    const int left = (width - shownWidth) / 2;
    const int bottom = (height - shownHeight) / 2;
    if (shownWidth > 0 && shownHeight > 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->framebuffer);
        const bool wholeScale = scale == std::floor(scale);
        // Stored top row first: the window, whose rows run up, shows it turned over.
        glBlitFramebuffer(0, 0, PictureWidth, PictureHeight, left, bottom + shownHeight, left + shownWidth, bottom,
                          GL_COLOR_BUFFER_BIT, wholeScale ? GL_NEAREST : GL_LINEAR);
    }
    gl->context.Swap();
}

}  // namespace platform
