#include "platform/gl/GlHost.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <emscripten/html5.h>

namespace platform {

namespace {

constexpr const char* Canvas = "#canvas";

}  // namespace

// WebGL2. The canvas has no depth buffer of its own and is never multisampled: the picture is
// drawn (and multisampled) offscreen and copied in, and OpenGL ES copies into a multisampled
// buffer not at all.
void RequestGlContext()
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
}

// The page lays the canvas out; its drawing buffer follows at the device's own pixels, so the
// picture is as sharp as the screen (a window resize alone would not tell of a new layout).
void GlOutputSize(SDL_Window*, int& width, int& height)
{
    double cssWidth = 0.0, cssHeight = 0.0;
    emscripten_get_element_css_size(Canvas, &cssWidth, &cssHeight);
    const double ratio = emscripten_get_device_pixel_ratio();
    width = std::max(1, static_cast<int>(std::lround(cssWidth * ratio)));
    height = std::max(1, static_cast<int>(std::lround(cssHeight * ratio)));
    int bufferWidth = 0, bufferHeight = 0;
    emscripten_get_canvas_element_size(Canvas, &bufferWidth, &bufferHeight);
    if (bufferWidth != width || bufferHeight != height) emscripten_set_canvas_element_size(Canvas, width, height);
}

// The browser shows a picture per animation frame whatever is asked; a swap interval would
// move the main loop from animation frames onto timers.
void SetGlVsync(bool) {}

// WebGL2 has no clip control: pictures are always drawn offscreen and copied in.
bool WindowTakesPictureRowsTopFirst() { return false; }

void PlaceRowsTopFirst(bool) {}

}  // namespace platform
