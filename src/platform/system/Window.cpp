#include "platform/system/Window.h"

#include "platform/gl/GlHost.h"

#include <SDL.h>

#include <algorithm>

namespace platform {
namespace {

SDL_Window* mainWindow = nullptr;
bool videoStarted = false;

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

bool IsInvisibleDriver(const char* driver)
{
    return driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

}  // namespace

bool InitVideo(bool headless, std::string& error)
{
    if (headless) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = SDL_GetError();
        return false;
    }
    videoStarted = true;
    // Without any display SDL falls back to a driver nobody can see; a visible game must not
    // run on there unasked (SDL_VIDEODRIVER names it when that is really wanted).
    if (!headless && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr && IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        error = "no display was found (use --headless to run without one)";
        ShutdownVideo();
        return false;
    }
    return true;
}

bool VideoIsVisible() { return videoStarted && !IsInvisibleDriver(SDL_GetCurrentVideoDriver()); }

void ShutdownVideo()
{
    DestroyMainWindow();
    if (videoStarted) SDL_Quit();
    videoStarted = false;
}

bool CreateMainWindow(const char* title, bool fullscreen, bool headless, bool forOpenGL, int width, int height,
                      std::string& error)
{
    if (forOpenGL) RequestGlContext();

    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    if (forOpenGL) flags |= SDL_WINDOW_OPENGL;
    if (headless) flags |= SDL_WINDOW_HIDDEN;
    else if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    mainWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!mainWindow) {
        error = SDL_GetError();
        return false;
    }
    SDL_SetWindowMinimumSize(mainWindow, std::min(width, PictureWidth / 2), std::min(height, PictureHeight / 2));
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
    return mainWindow && (SDL_GetWindowFlags(mainWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void SetFullscreen(bool fullscreen)
{
    if (mainWindow) SDL_SetWindowFullscreen(mainWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void ToggleFullscreen() { SetFullscreen(!IsFullscreen()); }

int DisplayRefreshRate()
{
    SDL_DisplayMode mode;
    if (!mainWindow || SDL_GetWindowDisplayMode(mainWindow, &mode) != 0) return 0;
    return mode.refresh_rate;
}

void SetWindowIcon(const uint32_t* argbPixels, int width, int height)
{
    if (!mainWindow || !argbPixels) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argbPixels), width, height,
                                                           32, width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!icon) return;
    SDL_SetWindowIcon(mainWindow, icon);
    SDL_FreeSurface(icon);
}

void DisableTextInput() { SDL_StopTextInput(); }

}  // namespace platform
