#include "platform/gl/GlHost.h"

#include "platform/gl/GlApi.h"

#include <SDL.h>
#include <cstdio>

namespace platform {

namespace {

// VELMOOR_GL=es draws with OpenGL ES 3.0 as the web build does, so that its pictures can be
// tried and compared on a desktop; unset or "core" is OpenGL 3.3 core.
bool OpenGlEsAskedFor()
{
    const char* kind = SDL_getenv("VELMOOR_GL");
    if (kind == nullptr || kind[0] == '\0' || SDL_strcmp(kind, "core") == 0) return false;
    if (SDL_strcmp(kind, "es") == 0) return true;
    std::fprintf(stderr, "velmoor: VELMOOR_GL=%s is neither core nor es: drawing with OpenGL 3.3 core\n", kind);
    return false;
}

}  // namespace

void RequestGlContext()
{
    const bool es = OpenGlEsAskedFor();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, es ? SDL_GL_CONTEXT_PROFILE_ES : SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
}

void GlOutputSize(SDL_Window* window, int& width, int& height) { SDL_GL_GetDrawableSize(window, &width, &height); }

void SetGlVsync(bool vsync)
{
    if (!vsync || SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(vsync ? 1 : 0);
}

bool WindowTakesPictureRowsTopFirst()
{
    if (epoxy_is_desktop_gl() == 0) return false;   // OpenGL ES: as in a browser
    if (epoxy_gl_version() < 45 && !epoxy_has_gl_extension("GL_ARB_clip_control")) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLint depthBits = 0, redBits = 0, greenBits = 0, blueBits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT, GL_FRAMEBUFFER_ATTACHMENT_RED_SIZE, &redBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT, GL_FRAMEBUFFER_ATTACHMENT_GREEN_SIZE, &greenBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_BACK_LEFT, GL_FRAMEBUFFER_ATTACHMENT_BLUE_SIZE, &blueBits);
    return depthBits == 24 && redBits == 8 && greenBits == 8 && blueBits == 8;
}

void PlaceRowsTopFirst(bool topFirst)
{
    glClipControl(topFirst ? GL_UPPER_LEFT : GL_LOWER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
}

}  // namespace platform
