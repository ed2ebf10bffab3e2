#include "platform/gl/GlContext.h"

#include "platform/gl/GlApi.h"
#include "platform/gl/GlHost.h"
#include "platform/system/Window.h"

#include <SDL.h>
#include <cstdio>

namespace platform {

namespace {

std::string GlText(GLenum name)
{
    const GLubyte* value = glGetString(name);
    return value ? std::string(reinterpret_cast<const char*>(value)) : std::string("?");
}

// OpenGL ES names itself in its version ("OpenGL ES 3.2 Mesa ..."; WebGL2 as "OpenGL ES 3.0
// (WebGL 2.0 ...)"); desktop OpenGL starts with the number.
constexpr const char* EsPrefix = "OpenGL ES ";

bool IsEs(const std::string& version) { return version.rfind(EsPrefix, 0) == 0; }

// Whether the context made is the kind asked for, in a version that can draw the game.
bool DrawsTheGame(bool esAskedFor)
{
    const std::string version = GlText(GL_VERSION);
    if (IsEs(version) != esAskedFor) return false;
    int major = 0, minor = 0;
    if (std::sscanf(version.c_str() + (esAskedFor ? std::char_traits<char>::length(EsPrefix) : 0), "%d.%d", &major,
                    &minor) != 2) {
        return false;
    }
    return esAskedFor ? major >= 3 : major > 3 || (major == 3 && minor >= 3);
}

}  // namespace

bool GlContext::Create(GlContext& context, std::string& error)
{
    SDL_Window* sdlWindow = MainSdlWindow();
    if (sdlWindow == nullptr) {
        error = "there is no window to draw in";
        return false;
    }
    SDL_GLContext sdlContext = SDL_GL_CreateContext(sdlWindow);
    if (sdlContext == nullptr) {
        error = SDL_GetError();
        return false;
    }
    int profile = 0;
    SDL_GL_GetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, &profile);
    const bool es = profile == SDL_GL_CONTEXT_PROFILE_ES;
    if (SDL_GL_MakeCurrent(sdlWindow, sdlContext) != 0 || !DrawsTheGame(es)) {
        error = std::string(es ? "OpenGL ES 3.0" : "OpenGL 3.3 core") + " is not available (" + SDL_GetError() + ")";
        SDL_GL_DeleteContext(sdlContext);
        return false;
    }
    context.window = sdlWindow;
    context.context = sdlContext;
    context.es = es;
    return true;
}

GlContext::~GlContext()
{
    if (context != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void GlContext::MakeCurrent() const
{
    SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), static_cast<SDL_GLContext>(context));
}

void GlContext::Swap() const { SDL_GL_SwapWindow(static_cast<SDL_Window*>(window)); }

void GlContext::SetVsync(bool vsync) const { SetGlVsync(vsync); }

void GlContext::DrawableSize(int& width, int& height) const
{
    GlOutputSize(static_cast<SDL_Window*>(window), width, height);
}

std::string GlContext::Description() const
{
    const std::string version = GlText(GL_VERSION);
    return (IsEs(version) ? version : "OpenGL " + version) + " on " + GlText(GL_RENDERER);
}

bool GlContext::HasExtension(const char* name) const
{
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const GLubyte* extension = glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i));
        if (extension != nullptr && SDL_strcmp(reinterpret_cast<const char*>(extension), name) == 0) return true;
    }
    return false;
}

}  // namespace platform
