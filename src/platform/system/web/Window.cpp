#include "platform/system/Window.h"

#include "platform/gl/GlHost.h"

#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cmath>

// The game's window in a browser is the page's canvas (#canvas): the page lays it out, the
// Full screen button is the page's, and the renderer draws at the canvas's size in device
// pixels (GlHost). The context is OpenGL ES 3.0, which is WebGL 2.
namespace platform {
namespace {

SDL_Window* mainWindow = nullptr;
bool videoStarted = false;
constexpr const char* Canvas = "#canvas";

// The canvas's size on the page, in CSS pixels.
void CanvasCssSize(int& width, int& height)
{
    double cssWidth = 0.0;
    double cssHeight = 0.0;
    emscripten_get_element_css_size(Canvas, &cssWidth, &cssHeight);
    width = static_cast<int>(std::lround(cssWidth));
    height = static_cast<int>(std::lround(cssHeight));
}

}  // namespace

bool InitVideo(bool, std::string& error)
{
    // Keys reach the game only while the canvas has the keyboard, so the rest of the page (its
    // buttons, the address bar) keeps its own keys; the canvas's keys never scroll the page.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, Canvas);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = SDL_GetError();
        return false;
    }
    videoStarted = true;
    return true;
}

bool VideoIsVisible() { return videoStarted; }

void ShutdownVideo()
{
    DestroyMainWindow();
    if (videoStarted) SDL_Quit();
    videoStarted = false;
}

bool CreateMainWindow(const char* title, bool, bool, bool forOpenGL, int width, int height, std::string& error)
{
    RequestGlContext();

    // A canvas the page has sized with CSS keeps that size; otherwise it gets the asked one.
    int cssWidth = 0;
    int cssHeight = 0;
    CanvasCssSize(cssWidth, cssHeight);
    if (cssWidth > 1 && cssHeight > 1) {
        width = cssWidth;
        height = cssHeight;
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (forOpenGL) flags |= SDL_WINDOW_OPENGL;
    mainWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (!mainWindow) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

void DestroyMainWindow()
{
    if (mainWindow) SDL_DestroyWindow(mainWindow);
    mainWindow = nullptr;
}

SDL_Window* MainSdlWindow() { return mainWindow; }

bool IsFullscreen()
{
    EmscriptenFullscreenChangeEvent state{};
    return emscripten_get_fullscreen_status(&state) == EMSCRIPTEN_RESULT_SUCCESS && state.isFullscreen;
}

// A page may go full screen only while it handles the player's own click or key, which this
// call never is: the page's Full screen button and the browser's own key do it.
void SetFullscreen(bool fullscreen)
{
    if (!fullscreen && IsFullscreen()) emscripten_exit_fullscreen();
}

void ToggleFullscreen() { SetFullscreen(!IsFullscreen()); }

int DisplayRefreshRate() { return 0; }   // the browser paces the pictures

void SetWindowIcon(const uint32_t*, int, int) {}   // the page has its own icon

void DisableTextInput() { SDL_StopTextInput(); }

}  // namespace platform
