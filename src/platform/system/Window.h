#pragma once
#include <cstdint>
#include <string>

struct SDL_Window;

namespace platform {

// The one game window and the SDL video and event system behind it.

// Starts SDL's video and events. Headless runs use SDL's offscreen driver: no display needed.
bool InitVideo(bool headless, std::string& error);
void ShutdownVideo();
// False before InitVideo and on a driver nobody can see (headless, SDL_VIDEODRIVER=offscreen):
// there a dialog could never be answered.
bool VideoIsVisible();

// A picture area of width x height (640x480 unless asked otherwise) centred on the desktop, or
// a borderless desktop-sized window. Headless windows are never shown; their drawable has that
// size exactly. With forOpenGL the window is made for OpenGL rendering; runs that draw nothing
// (--no-render) leave the OpenGL driver unloaded.
bool CreateMainWindow(const char* title, bool fullscreen, bool headless, bool forOpenGL, int width, int height,
                      std::string& error);
void DestroyMainWindow();
SDL_Window* MainSdlWindow();   // null before CreateMainWindow and after DestroyMainWindow
void ToggleFullscreen();
bool IsFullscreen();
void SetFullscreen(bool fullscreen);
// Refreshes a second of the display the window is on; 0 when the display does not say.
int DisplayRefreshRate();
void SetWindowIcon(const uint32_t* argbPixels, int width, int height);

// Key presses must reach the game as plain key messages, never as composed text.
void DisableTextInput();

}  // namespace platform
