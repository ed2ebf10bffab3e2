#include "platform/MessageBox.h"

#include "platform/Window.h"

#include <SDL.h>

namespace platform {

bool ShowMessageBox(const char* caption, const char* text)
{
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, MainSdlWindow()) == 0;
}

}  // namespace platform
