#include "platform/input/Events.h"

#include "core/VirtualKeys.h"

#include "platform/system/Clock.h"
#include "platform/input/GameController.h"

#include <SDL.h>

#include <chrono>
#include <deque>
#include <thread>

namespace platform {

uint8_t VirtualKeyFromSdl(int32_t key)
{
    if (key >= SDLK_a && key <= SDLK_z) return static_cast<uint8_t>('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return static_cast<uint8_t>('0' + (key - SDLK_0));
    switch (key) {
    case SDLK_ESCAPE:   return vk::Escape;
    case SDLK_SPACE:    return vk::Space;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:   return vk::Shift;
    case SDLK_LEFT:     return vk::Left;
    case SDLK_UP:       return vk::Up;
    case SDLK_RIGHT:    return vk::Right;
    case SDLK_DOWN:     return vk::Down;
    case SDLK_PAGEUP:   return vk::PageUp;
    case SDLK_PAGEDOWN: return vk::PageDown;
    case SDLK_HOME:     return vk::Home;
    case SDLK_RETURN:   return vk::Return;
    case SDLK_TAB:      return vk::Tab;
    case SDLK_PAUSE:    return vk::Pause;
    case SDLK_F12:      return vk::F12;
    default:            return 0;
    }
}

namespace {

uint32_t MusicEventType()
{
    static const uint32_t type = SDL_RegisterEvents(1);
    return type;
}

int64_t PackPoint(int x, int y)
{
    return static_cast<int64_t>((static_cast<uint32_t>(y & 0xffff) << 16) | static_cast<uint32_t>(x & 0xffff));
}

// Every key source (keyboard and pads) goes through one merger, so the game sees a key go up
// only when nothing holds it any more.
GameController& KeySources()
{
    static GameController sources;
    return sources;
}

// One SDL event can stand for several messages (a pad unplugged lets go of all its keys).
std::deque<Message>& PendingMessages()
{
    static std::deque<Message> pending;
    return pending;
}

std::array<uint8_t, 256>& KeyboardMap()
{
    static std::array<uint8_t, 256> map = [] {
        std::array<uint8_t, 256> identity{};
        for (size_t key = 0; key < identity.size(); ++key) identity[key] = static_cast<uint8_t>(key);
        return identity;
    }();
    return map;
}

// A keyboard key's change carries the key pressed; a pad's, its own key marked as a pad's.
void QueueKeyChanges(const GameController::Changes& changes, uint8_t keyboardKey = 0)
{
    for (const GameController::KeyChange& change : changes) {
        const int64_t pressed = keyboardKey != 0 ? keyboardKey : (PadKeyBit | change.key);
        PendingMessages().push_back({change.down ? wm::KeyDown : wm::KeyUp, change.key, pressed});
    }
}

void TranslateKey(const SDL_KeyboardEvent& key)
{
    const uint8_t keyboardKey = VirtualKeyFromSdl(key.keysym.sym);
    if (keyboardKey == 0) return;
    const uint8_t code = KeyboardMap()[keyboardKey];
    const bool down = key.type == SDL_KEYDOWN;
    if (down && keyboardKey == vk::Return && (key.keysym.mod & KMOD_ALT)) {
        if (!key.repeat) PendingMessages().push_back({SysKeyDown, shellkey::ToggleFullscreen, 0});
        return;
    }
    if (code == 0) {   // its action moved elsewhere: only the menus read it
        PendingMessages().push_back({down ? wm::KeyDown : wm::KeyUp, 0, keyboardKey});
        return;
    }
    // Auto-repeat reaches the game as repeated key-downs, as it always has.
    if (down && key.repeat) {
        if (KeySources().Down(code)) PendingMessages().push_back({wm::KeyDown, code, keyboardKey});
        return;
    }
    GameController::Changes changes;
    KeySources().KeyboardKey(key.keysym.sym, code, down, changes);
    QueueKeyChanges(changes, keyboardKey);
}

Message TranslateWindowEvent(const SDL_WindowEvent& window)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:   // a browser tab put in the background, too
        return {FocusLost, 0, 0};
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        return {WindowExposed, 0, 0};
    default:
        return {};
    }
}

void TranslateController(const SDL_Event& event)
{
    GameController::Changes changes;
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        OpenGameController(event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        KeySources().SourceRemoved(event.cdevice.which, changes);
        CloseGameController(event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (event.cbutton.button >= static_cast<uint8_t>(PadButton::Count)) break;
        KeySources().ButtonChanged(event.cbutton.which, static_cast<PadButton>(event.cbutton.button),
                                   event.type == SDL_CONTROLLERBUTTONDOWN, changes);
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis >= static_cast<uint8_t>(PadAxis::Count)) break;
        KeySources().AxisMoved(event.caxis.which, static_cast<PadAxis>(event.caxis.axis), event.caxis.value, changes);
        break;
    default:
        break;
    }
    QueueKeyChanges(changes);
}

Message TranslateOther(const SDL_Event& event)
{
    Message out;
    switch (event.type) {
    case SDL_QUIT:
        out.message = wm::Close;
        break;
    case SDL_WINDOWEVENT:
        out = TranslateWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
        out = {wm::MouseMove, 0, PackPoint(event.motion.x, event.motion.y)};
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.button == SDL_BUTTON_LEFT) out.message = down ? wm::LButtonDown : wm::LButtonUp;
        if (event.button.button == SDL_BUTTON_RIGHT) out.message = down ? wm::RButtonDown : wm::RButtonUp;
        out.lParam = PackPoint(event.button.x, event.button.y);
        break;
    }
    default:
        if (event.type == MusicEventType()) out = {wm::MusicNotify, static_cast<uint64_t>(event.user.code), 0};
        break;
    }
    return out;
}

void Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKey(event.key);
        return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        TranslateController(event);
        return;
    default:
        PendingMessages().push_back(TranslateOther(event));
        return;
    }
}

}  // namespace

void SetKeyboardMap(const std::array<uint8_t, 256>& map) { KeyboardMap() = map; }

void PostMusicNotification(uint64_t code)
{
    SDL_Event event{};
    event.type = MusicEventType();
    event.user.code = static_cast<int32_t>(code);
    SDL_PushEvent(&event);
}

bool PollMessage(Message& out)
{
    if (PendingMessages().empty()) {
        SDL_Event event;
        if (!SDL_PollEvent(&event)) return false;
        Translate(event);
    }
    out = PendingMessages().empty() ? Message{} : PendingMessages().front();
    if (!PendingMessages().empty()) PendingMessages().pop_front();
    return true;
}

}  // namespace platform

namespace platform {

void WaitForMessage(uint32_t timeoutMilliseconds)
{
    // SDL's wait wakes in whole milliseconds and may oversleep by one; it covers all but the
    // last two milliseconds, which short naps finish so the frame starts on time without spinning.
    // The deadline is counted from the start of the current clock millisecond, as the caller's
    // millisecond clock counts it.
    const double deadline = (Milliseconds() + static_cast<double>(timeoutMilliseconds)) / 1000.0;
    if (timeoutMilliseconds > 2 && SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMilliseconds - 2))) return;
    while (Seconds() < deadline) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

}  // namespace platform
