#include "platform/input/GameController.h"

#include "core/VirtualKeys.h"

#include <SDL.h>

#include <algorithm>
#include <map>

namespace platform {

static_assert(static_cast<int>(PadButton::DpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(static_cast<int>(PadAxis::Count) == SDL_CONTROLLER_AXIS_MAX);
static_assert(static_cast<int>(PadAxis::TriggerRight) == SDL_CONTROLLER_AXIS_TRIGGERRIGHT);

namespace {

// Axes hold keys under their own control numbers, apart from the buttons'.
constexpr int32_t AxisControlBase = 100;

int32_t AxisControl(PadAxis axis) { return AxisControlBase + static_cast<int32_t>(axis); }

}  // namespace

uint8_t GameController::KeyForButton(PadButton button)
{
    switch (button) {
    case PadButton::A:             return vk::Space;
    case PadButton::B:
    case PadButton::X:             return vk::Z;
    case PadButton::Back:          return vk::Shift;
    case PadButton::Start:         return vk::Pause;
    case PadButton::LeftStick:     return vk::Home;
    case PadButton::LeftShoulder:  return vk::PageUp;
    case PadButton::RightShoulder: return vk::PageDown;
    case PadButton::DpadUp:        return vk::Up;
    case PadButton::DpadDown:      return vk::Down;
    case PadButton::DpadLeft:      return vk::Left;
    case PadButton::DpadRight:     return vk::Right;
    default:                       return 0;
    }
}

void GameController::KeyboardKey(int32_t control, uint8_t key, bool down, Changes& out)
{
    if (down) Press(KeyboardSource, control, key, out);
    else Release(KeyboardSource, control, out);
}

void GameController::ButtonChanged(int32_t pad, PadButton button, bool pressed, Changes& out)
{
    const uint8_t key = KeyForButton(button);
    if (key == 0) return;
    const auto control = static_cast<int32_t>(button);
    if (pressed) Press(pad, control, key, out);
    else Release(pad, control, out);
}

// The stick needs pushing past StickPress to hold its key, and keeps it until it comes back
// inside StickRelease, so a thumb resting half-way never flickers the key.
uint8_t GameController::StickKey(int value, uint8_t negativeKey, uint8_t positiveKey, uint8_t held)
{
    if (value <= -StickPress) return negativeKey;
    if (value >= StickPress) return positiveKey;
    if (held == negativeKey && value < -StickRelease) return negativeKey;
    if (held == positiveKey && value > StickRelease) return positiveKey;
    return 0;
}

void GameController::AxisMoved(int32_t pad, PadAxis axis, int value, Changes& out)
{
    // SDL's Y axis grows downwards: pushing the stick away reads negative.
    if (axis != PadAxis::LeftX && axis != PadAxis::LeftY) return;
    const bool across = axis == PadAxis::LeftX;
    const uint8_t negativeKey = across ? vk::Left : vk::Up;
    const uint8_t positiveKey = across ? vk::Right : vk::Down;

    const int32_t control = AxisControl(axis);
    const uint8_t held = HeldBy(pad, control);
    const uint8_t wanted = StickKey(value, negativeKey, positiveKey, held);
    if (wanted == held) return;
    if (held != 0) Release(pad, control, out);
    if (wanted != 0) Press(pad, control, wanted, out);
}

void GameController::SourceRemoved(int32_t source, Changes& out)
{
    std::vector<int32_t> controls;
    for (const Hold& hold : holds) {
        if (hold.source == source) controls.push_back(hold.control);
    }
    for (const int32_t control : controls) Release(source, control, out);
}

bool GameController::Down(uint8_t key) const
{
    return std::any_of(holds.begin(), holds.end(), [key](const Hold& hold) { return hold.key == key; });
}

uint8_t GameController::HeldBy(int32_t source, int32_t control) const
{
    for (const Hold& hold : holds) {
        if (hold.source == source && hold.control == control) return hold.key;
    }
    return 0;
}

void GameController::Press(int32_t source, int32_t control, uint8_t key, Changes& out)
{
    if (HeldBy(source, control) != 0) return;   // a control presses once until it lets go
    const bool alreadyDown = Down(key);
    holds.push_back({source, control, key});
    if (!alreadyDown) out.push_back({true, key});
}

void GameController::Release(int32_t source, int32_t control, Changes& out)
{
    const auto hold = std::find_if(holds.begin(), holds.end(), [&](const Hold& h) {
        return h.source == source && h.control == control;
    });
    if (hold == holds.end()) return;
    const uint8_t key = hold->key;
    holds.erase(hold);
    if (!Down(key)) out.push_back({false, key});
}

// ---------------------------------------------------------------------------------------------
// SDL devices

namespace {

std::map<int32_t, SDL_GameController*>& OpenPads()
{
    static std::map<int32_t, SDL_GameController*> pads;   // by instance id
    return pads;
}

bool controllersStarted = false;

}  // namespace

void StartGameControllers()
{
    if (controllersStarted) return;
    controllersStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!controllersStarted) SDL_Log("velmoor: game controllers unavailable: %s", SDL_GetError());
}

void StopGameControllers()
{
    for (const auto& [instance, pad] : OpenPads()) SDL_GameControllerClose(pad);
    OpenPads().clear();
    if (controllersStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    controllersStarted = false;
}

void OpenGameController(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex)) return;
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (instance < 0 || OpenPads().count(instance)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad) OpenPads()[instance] = pad;
}

void CloseGameController(int32_t instanceId)
{
    const auto found = OpenPads().find(instanceId);
    if (found == OpenPads().end()) return;
    SDL_GameControllerClose(found->second);
    OpenPads().erase(found);
}

}  // namespace platform
