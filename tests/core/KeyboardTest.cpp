#include "core/Keyboard.h"
#include "core/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

void Press(Keyboard& keyboard, uint8_t key) { keyboard.OnMessage(wm::KeyDown, key, 0); }
void Release(Keyboard& keyboard, uint8_t key) { keyboard.OnMessage(wm::KeyUp, key, 0); }

}  // namespace

TEST(Keyboard, HeldKeyReadsPressedForOneFrameThenHeldAndCountsFramesUpTo255)
{
    Keyboard keyboard;
    Press(keyboard, vk::Space);
    keyboard.Update();
    EXPECT_EQ(keyboard.keys[vk::Space], KeyPressed);
    EXPECT_EQ(keyboard.keyFrames[vk::Space], 1);
    for (int frame = 2; frame <= 300; ++frame) {
        keyboard.Update();
        ASSERT_EQ(keyboard.keys[vk::Space], KeyHeld) << "frame " << frame;
        ASSERT_EQ(keyboard.keyFrames[vk::Space], frame < 255 ? frame : 255);
    }
}

// Auto-repeat between frames never gives a second pressed frame; a release clears at once so
// the next press is fresh; a press and release between two frames is lost.
TEST(Keyboard, OnlyAFreshPressBetweenFramesReadsPressed)
{
    Keyboard keyboard;
    Press(keyboard, vk::Z);
    keyboard.Update();
    ASSERT_TRUE(keyboard.Pressed(vk::Z));
    for (int frame = 0; frame < 10; ++frame) {
        Press(keyboard, vk::Z);
        keyboard.Update();
        EXPECT_FALSE(keyboard.Pressed(vk::Z));
        EXPECT_TRUE(keyboard.Down(vk::Z));
    }
    Release(keyboard, vk::Z);
    EXPECT_EQ(keyboard.keys[vk::Z], KeyUp);
    EXPECT_EQ(keyboard.keyFrames[vk::Z], 0);
    keyboard.Update();
    EXPECT_FALSE(keyboard.Down(vk::Z));
    Press(keyboard, vk::Z);
    keyboard.Update();
    EXPECT_TRUE(keyboard.Pressed(vk::Z));

    Press(keyboard, vk::Space);
    Release(keyboard, vk::Space);
    keyboard.Update();
    EXPECT_EQ(keyboard.keys[vk::Space], KeyUp);
    EXPECT_EQ(keyboard.keyFrames[vk::Space], 0);
}

TEST(Keyboard, MouseAndButtonsAreRecordedAndOutOfRangeKeysIgnored)
{
    Keyboard keyboard;
    keyboard.OnMessage(wm::MouseMove, 0, (static_cast<int64_t>(0xfffe) << 16) | 300);
    EXPECT_EQ(keyboard.mouseX, 300);
    EXPECT_EQ(keyboard.mouseY, -2);
    keyboard.OnMessage(wm::LButtonDown, 0, 0);
    keyboard.Update();
    keyboard.Update();
    EXPECT_EQ(keyboard.leftButton, KeyHeld);
    EXPECT_EQ(keyboard.leftButtonFrames, 2);
    keyboard.OnMessage(wm::LButtonUp, 0, 0);
    EXPECT_EQ(keyboard.leftButtonFrames, 0);

    keyboard.OnMessage(wm::KeyDown, 300, 0);
    keyboard.OnMessage(260, vk::Space, 0);   // a system key message changes nothing
    for (int key = 0; key < 256; ++key) ASSERT_EQ(keyboard.keys[key], KeyUp) << key;
}
