#include "platform/gl/GlContext.h"

#include "platform/system/Window.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace platform {

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
    if (SDL_GL_MakeCurrent(sdlWindow, sdlContext) != 0 || epoxy_gl_version() < 33 || epoxy_is_desktop_gl() == 0) {
        error = std::string("OpenGL 3.3 core is not available (") + SDL_GetError() + ")";
        SDL_GL_DeleteContext(sdlContext);
        return false;
    }
    context.window = sdlWindow;
    context.context = sdlContext;
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

void GlContext::SetVsync(bool vsync) const
{
    if (!vsync || SDL_GL_SetSwapInterval(-1) != 0) SDL_GL_SetSwapInterval(vsync ? 1 : 0);
}

void GlContext::DrawableSize(int& width, int& height) const
{
    SDL_GL_GetDrawableSize(static_cast<SDL_Window*>(window), &width, &height);
}

std::string GlContext::Description() const
{
    const auto text = [](GLenum name) {
        const GLubyte* value = glGetString(name);
        return value ? std::string(reinterpret_cast<const char*>(value)) : std::string("?");
    };
    return "OpenGL " + text(GL_VERSION) + " on " + text(GL_RENDERER);
}

}  // namespace platform
