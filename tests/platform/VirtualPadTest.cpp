// A virtual controller plugged into SDL plays through the real event path: it is opened when it
// appears, its buttons and stick come out as the game's key messages, and unplugging it lets
// go of what it held.
#include "core/VirtualKeys.h"
#include "platform/input/Events.h"
#include "platform/input/GameController.h"
#include "platform/system/Window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace {

// The messages waiting, as (message, key) pairs.
std::set<std::pair<uint32_t, uint64_t>> DrainMessages()
{
    SDL_PumpEvents();
    std::set<std::pair<uint32_t, uint64_t>> messages;
    platform::Message message;
    while (platform::PollMessage(message)) messages.insert({message.message, message.wParam});
    return messages;
}

}  // namespace

TEST(VirtualPad, PlugPressMoveAndUnplugReachTheGameAsKeys)
{
    std::string error;
    ASSERT_TRUE(platform::InitVideo(true, error)) << error;
    platform::StartGameControllers();

    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    pad.name = "Velmoor test pad";
    const int device = SDL_JoystickAttachVirtualEx(&pad);
    ASSERT_GE(device, 0) << SDL_GetError();
    DrainMessages();   // the pad is announced and opened
    SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(device));
    ASSERT_NE(joystick, nullptr) << "the game did not open the new pad";

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -30000);
    SDL_JoystickUpdate();
    const auto pressed = DrainMessages();
    EXPECT_TRUE(pressed.contains({wm::KeyDown, vk::Space}) && pressed.contains({wm::KeyDown, vk::Left}));

    SDL_JoystickDetachVirtual(device);
    const auto released = DrainMessages();
    EXPECT_TRUE(released.contains({wm::KeyUp, vk::Space}) && released.contains({wm::KeyUp, vk::Left}));

    platform::StopGameControllers();
    platform::ShutdownVideo();
}
