// The page tells the game when its tab is hidden or the canvas loses the keyboard: the game then
// pauses as a desktop window does when it loses the focus.
#include "platform/system/Window.h"

#include <SDL.h>
#include <emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE void velmoor_focus_lost()
{
    SDL_Window* window = platform::MainSdlWindow();
    if (!window) return;
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    event.window.windowID = SDL_GetWindowID(window);
    SDL_PushEvent(&event);
}
