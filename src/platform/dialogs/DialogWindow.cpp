#include "platform/dialogs/DialogWindow.h"

#include "platform/dialogs/DialogFont.h"
#include "platform/system/Window.h"

#include <SDL.h>

#include <optional>
#include <vector>

namespace platform {
namespace {

// A window with its software renderer.
struct PaintedWindow {
    SDL_Window*   window = nullptr;
    SDL_Renderer* renderer = nullptr;

    bool Open(const char* caption, int x, int y, int width, int height, Uint32 flags)
    {
        window = SDL_CreateWindow(caption, x, y, width, height, flags);
        if (window) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
        if (renderer) return true;
        Close(nullptr, nullptr);
        return false;
    }
    void Close(DialogFont* font, DialogFont* smallFont)
    {
        if (renderer && font) font->Forget(renderer);
        if (renderer && smallFont) smallFont->Forget(renderer);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        renderer = nullptr;
        window = nullptr;
    }
    Uint32 Id() const { return window ? SDL_GetWindowID(window) : 0; }
};

std::optional<DialogKey> KeyOf(const SDL_Keysym& key)
{
    const bool alt = (key.mod & KMOD_ALT) != 0;
    switch (key.sym) {
    case SDLK_UP:       return alt ? DialogKey::OpenList : DialogKey::Up;
    case SDLK_DOWN:     return alt ? DialogKey::OpenList : DialogKey::Down;
    case SDLK_F4:       return DialogKey::OpenList;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return DialogKey::Return;
    case SDLK_ESCAPE:   return DialogKey::Escape;
    case SDLK_TAB:      return (key.mod & KMOD_SHIFT) ? DialogKey::BackTab : DialogKey::Tab;
    case SDLK_SPACE:    return DialogKey::Space;
    default:            return std::nullopt;
    }
}

class ModalLoop {
public:
    ModalLoop(DialogFont& font, DialogFont* smallFont, DialogContent& content)
        : font(font), smallFont(smallFont), content(content) {}
    ~ModalLoop()
    {
        popup.Close(&font, smallFont);
        dialog.Close(&font, smallFont);
        // Messages meant for the game (the music's end) wait for it, in their order.
        for (SDL_Event& event : keptForTheGame) SDL_PushEvent(&event);
    }

    bool Open(const char* caption, int width, int height);
    void Run();

private:
    void Draw();
    void SyncPopup();
    void Handle(const SDL_Event& event);
    void HandleWindowEvent(const SDL_WindowEvent& event);

    DialogFont&    font;
    DialogFont*    smallFont;
    DialogContent& content;
    PaintedWindow  dialog;
    PaintedWindow  popup;
    bool           focused = false;      // the dialog has asked for the keyboard
    bool           closePressed = false; // the last event was the dialog's close button
    bool           quitting = false;     // the program was asked to end (a signal, a session's end)
    std::vector<SDL_Event> keptForTheGame;
};

bool ModalLoop::Open(const char* caption, int width, int height)
{
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    SDL_Window* parent = MainSdlWindow();
    if (parent) {
        int parentX = 0, parentY = 0, parentWidth = 0, parentHeight = 0;
        SDL_GetWindowPosition(parent, &parentX, &parentY);
        SDL_GetWindowSize(parent, &parentWidth, &parentHeight);
        x = parentX + (parentWidth - width) / 2;
        y = parentY + (parentHeight - height) / 2;
    }
    if (!dialog.Open(caption, x, y, width, height, parent ? SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR : SDL_WINDOW_HIDDEN)) {
        return false;
    }
    if (parent) SDL_SetWindowModalFor(dialog.window, parent);
    Draw();
    SDL_ShowWindow(dialog.window);
    SDL_RaiseWindow(dialog.window);
    return true;
}

void ModalLoop::Run()
{
    while (!content.Finished() && !quitting) {
        SyncPopup();
        Draw();
        SDL_Event event;
        if (!SDL_WaitEvent(&event)) break;
        Handle(event);
    }
}

void ModalLoop::Draw()
{
    DialogPainter painter(dialog.renderer, font, smallFont);
    painter.Clear();
    content.Draw(painter);
    painter.Present();
    if (!popup.renderer) return;
    DialogPainter popupPainter(popup.renderer, font, smallFont);
    popupPainter.Clear();
    content.DrawPopup(popupPainter);
    popupPainter.Present();
}

// The pop-up comes and goes as the content asks; it is a window of its own so that it can
// hang below the dialog's edge, the way a drop-down list does.
void ModalLoop::SyncPopup()
{
    const DialogRect wanted = content.PopupRect();
    if (wanted.Empty()) {
        popup.Close(&font, smallFont);
        return;
    }
    if (popup.window) return;
    int x = 0, y = 0;
    SDL_GetWindowPosition(dialog.window, &x, &y);
    constexpr Uint32 flags = SDL_WINDOW_POPUP_MENU | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    if (!popup.Open("", x + wanted.x, y + wanted.y, wanted.w, wanted.h, flags)) return;
    // Without a window manager SDL gives every window it shows the keyboard: the keys stay
    // with the dialog.
    SDL_SetWindowInputFocus(dialog.window);
}

void ModalLoop::Handle(const SDL_Event& event)
{
    const Uint32 dialogId = dialog.Id(), popupId = popup.Id();
    const bool afterClose = closePressed;
    closePressed = false;
    switch (event.type) {
    case SDL_QUIT:
        // Closing the only window sends a quit right after the close: the dialog answers that
        // close itself. Any other quit ends the dialog and is handed on to the game's loop.
        if (afterClose) return;
        keptForTheGame.push_back(event);
        quitting = true;
        return;
    case SDL_KEYDOWN:
        if (event.key.windowID != dialogId && event.key.windowID != popupId) return;
        if (const auto key = KeyOf(event.key.keysym)) content.OnKey(*key);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (event.button.button != SDL_BUTTON_LEFT) return;
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.windowID == dialogId) content.OnMouseButton(down, event.button.x, event.button.y);
        else if (popupId != 0 && event.button.windowID == popupId) content.OnPopupMouse(true, down, event.button.x, event.button.y);
        return;
    }
    case SDL_MOUSEMOTION:
        if (popupId != 0 && event.motion.windowID == popupId) content.OnPopupMouse(false, false, event.motion.x, event.motion.y);
        return;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        return;
    default:
        if (event.type >= SDL_USEREVENT) keptForTheGame.push_back(event);
        return;
    }
}

void ModalLoop::HandleWindowEvent(const SDL_WindowEvent& event)
{
    if (event.windowID != dialog.Id()) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        // The first time the dialog is on the screen it takes the keyboard, so the player can
        // answer at once, also where no window manager hands out the focus.
        if (!focused) SDL_SetWindowInputFocus(dialog.window);
        focused = true;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        closePressed = true;
        content.OnCloseButton();
        break;
    default:
        break;
    }
}

}  // namespace

bool RunDialog(const char* caption, int width, int height, DialogFont& font, DialogFont* smallFont,
               DialogContent& content)
{
    if (!VideoIsVisible()) return false;
    ModalLoop loop(font, smallFont, content);
    if (!loop.Open(caption, width, height)) return false;
    loop.Run();
    return true;
}

}  // namespace platform
