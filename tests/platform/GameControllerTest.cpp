#include "core/VirtualKeys.h"
#include "platform/input/GameController.h"

#include <gtest/gtest.h>

using platform::GameController;
using platform::PadAxis;
using platform::PadButton;
using Change = GameController::KeyChange;
using Changes = GameController::Changes;

namespace {

constexpr int32_t Pad = 3;
constexpr int32_t OtherPad = 7;
constexpr int32_t ShiftLeftKey = 1073742049;   // SDL keycodes of the two Shift keys
constexpr int32_t ShiftRightKey = 1073742053;

Change Down(uint8_t key) { return {true, key}; }
Change Up(uint8_t key) { return {false, key}; }

Changes Button(GameController& pads, int32_t pad, PadButton button, bool pressed)
{
    Changes out;
    pads.ButtonChanged(pad, button, pressed, out);
    return out;
}

Changes Axis(GameController& pads, PadAxis axis, int value)
{
    Changes out;
    pads.AxisMoved(Pad, axis, value, out);
    return out;
}

Changes Keyboard(GameController& pads, int32_t control, uint8_t key, bool down)
{
    Changes out;
    pads.KeyboardKey(control, key, down, out);
    return out;
}

}  // namespace

TEST(GameController, EveryButtonPressesAndReleasesItsKey)
{
    const std::pair<PadButton, uint8_t> mapping[] = {
        {PadButton::A, vk::Space},           {PadButton::B, vk::Z},
        {PadButton::X, vk::Z},               {PadButton::Back, vk::Shift},
        {PadButton::LeftStick, vk::Home},    {PadButton::LeftShoulder, vk::PageUp},
        {PadButton::RightShoulder, vk::PageDown},
        {PadButton::DpadUp, vk::Up},         {PadButton::DpadDown, vk::Down},
        {PadButton::DpadLeft, vk::Left},     {PadButton::DpadRight, vk::Right},
        {PadButton::Start, vk::Pause},
    };
    GameController pads;
    for (const auto& [button, key] : mapping) {
        SCOPED_TRACE(static_cast<int>(button));
        EXPECT_EQ(Button(pads, Pad, button, true), Changes{Down(key)});
        EXPECT_TRUE(pads.Down(key));
        EXPECT_EQ(Button(pads, Pad, button, false), Changes{Up(key)});
        EXPECT_FALSE(pads.Down(key));
    }
    // Buttons without a meaning press nothing (no button may ever quit the game by accident).
    for (const PadButton button : {PadButton::Y, PadButton::Guide, PadButton::RightStick}) {
        EXPECT_TRUE(Button(pads, Pad, button, true).empty());
    }
}

TEST(GameController, LeftStickHoldsArrowsWithDeadZoneAndHysteresis)
{
    GameController pads;
    EXPECT_TRUE(Axis(pads, PadAxis::LeftX, GameController::StickPress - 1).empty());
    EXPECT_EQ(Axis(pads, PadAxis::LeftX, GameController::StickPress), Changes{Down(vk::Right)});

    // A thumb resting half-way wobbles around the press threshold: the key stays down.
    for (const int value : {16384, 11000, 15000, 9000, 13000, GameController::StickRelease + 1}) {
        EXPECT_TRUE(Axis(pads, PadAxis::LeftX, value).empty()) << value;
    }
    EXPECT_TRUE(pads.Down(vk::Right));
    EXPECT_EQ(Axis(pads, PadAxis::LeftX, GameController::StickRelease), Changes{Up(vk::Right)});
    // Back inside the band without having crossed the press threshold: nothing.
    EXPECT_TRUE(Axis(pads, PadAxis::LeftX, 10000).empty());

    // A flick straight across lets go of one side before pressing the other.
    EXPECT_EQ(Axis(pads, PadAxis::LeftX, -32768), Changes{Down(vk::Left)});
    EXPECT_EQ(Axis(pads, PadAxis::LeftX, 32767), (Changes{Up(vk::Left), Down(vk::Right)}));

    // Away from the player is negative on SDL's Y axis; the axes are independent.
    EXPECT_EQ(Axis(pads, PadAxis::LeftY, -20000), Changes{Down(vk::Up)});
    EXPECT_EQ(Axis(pads, PadAxis::LeftY, 20000), (Changes{Up(vk::Up), Down(vk::Down)}));
    EXPECT_TRUE(pads.Down(vk::Right));

    // The right stick and the triggers press nothing.
    for (const PadAxis axis : {PadAxis::RightX, PadAxis::RightY, PadAxis::TriggerLeft, PadAxis::TriggerRight}) {
        EXPECT_TRUE(Axis(pads, axis, 32767).empty());
    }
}

TEST(GameController, SourcesHoldingOneKeyDoNotReleaseEachOther)
{
    GameController pads;
    // Keyboard first, then the pad: one key-down, and the key-up only after both let go.
    EXPECT_EQ(Keyboard(pads, 'z', vk::Z, true), Changes{Down(vk::Z)});
    EXPECT_TRUE(Button(pads, Pad, PadButton::B, true).empty());
    EXPECT_TRUE(Keyboard(pads, 'z', vk::Z, false).empty());
    EXPECT_TRUE(pads.Down(vk::Z));
    EXPECT_EQ(Button(pads, Pad, PadButton::B, false), Changes{Up(vk::Z)});

    // Two controls of one pad on one key: the d-pad and the stick both hold Left.
    EXPECT_EQ(Button(pads, Pad, PadButton::DpadLeft, true), Changes{Down(vk::Left)});
    EXPECT_TRUE(Axis(pads, PadAxis::LeftX, -30000).empty());
    EXPECT_TRUE(Button(pads, Pad, PadButton::DpadLeft, false).empty());
    EXPECT_EQ(Axis(pads, PadAxis::LeftX, 0), Changes{Up(vk::Left)});

    // Both Shift keys: letting go of one keeps Shift down.
    EXPECT_EQ(Keyboard(pads, ShiftLeftKey, vk::Shift, true), Changes{Down(vk::Shift)});
    EXPECT_TRUE(Keyboard(pads, ShiftRightKey, vk::Shift, true).empty());
    EXPECT_TRUE(Keyboard(pads, ShiftLeftKey, vk::Shift, false).empty());
    EXPECT_EQ(Keyboard(pads, ShiftRightKey, vk::Shift, false), Changes{Up(vk::Shift)});
}

TEST(GameController, RemovedPadLetsGoOfOnlyItsOwnKeys)
{
    GameController pads;
    Button(pads, Pad, PadButton::A, true);
    Button(pads, Pad, PadButton::LeftShoulder, true);
    Axis(pads, PadAxis::LeftY, -32768);
    Button(pads, OtherPad, PadButton::X, true);
    Keyboard(pads, 'z', vk::Z, true);
    Button(pads, Pad, PadButton::B, true);   // Z is also held by the keyboard and the other pad

    Changes released;
    pads.SourceRemoved(Pad, released);
    EXPECT_EQ(released, (Changes{Up(vk::Space), Up(vk::PageUp), Up(vk::Up)}));
    EXPECT_TRUE(pads.Down(vk::Z));

    // The pad's controls start afresh if it comes back under the same id.
    EXPECT_EQ(Axis(pads, PadAxis::LeftY, -32768), Changes{Down(vk::Up)});

    released.clear();
    pads.SourceRemoved(OtherPad, released);
    EXPECT_TRUE(released.empty());   // the keyboard still holds Z
    pads.SourceRemoved(GameController::KeyboardSource, released);
    EXPECT_EQ(released, Changes{Up(vk::Z)});
    EXPECT_TRUE(pads.Down(vk::Up));
}
