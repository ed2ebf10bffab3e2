#include "core/Keyboard.h"
#include "core/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

void Press(Keyboard& keyboard, uint8_t key) { keyboard.OnMessage(wm::KeyDown, key, 0); }
void Release(Keyboard& keyboard, uint8_t key) { keyboard.OnMessage(wm::KeyUp, key, 0); }

}  // namespace

// A press reads pressed for one frame, then held: auto-repeat between frames never gives a
// second pressed frame; a release clears at once so the next press is fresh; a press and
// release between two frames is lost.
TEST(Keyboard, OnlyAFreshPressBetweenFramesReadsPressed)
{
    Keyboard keyboard;
    Press(keyboard, vk::Z);
    keyboard.Update();
    ASSERT_TRUE(keyboard.Pressed(vk::Z));
    for (int frame = 0; frame < 10; ++frame) {
        Press(keyboard, vk::Z);
        keyboard.Update();
        EXPECT_EQ(keyboard.keys[vk::Z], KeyHeld);
    }
    Release(keyboard, vk::Z);
    EXPECT_EQ(keyboard.keys[vk::Z], KeyUp);
    keyboard.Update();
    EXPECT_EQ(keyboard.keys[vk::Z], KeyUp);
    Press(keyboard, vk::Z);
    keyboard.Update();
    EXPECT_TRUE(keyboard.Pressed(vk::Z));

    Press(keyboard, vk::Space);
    Release(keyboard, vk::Space);
    keyboard.Update();
    EXPECT_EQ(keyboard.keys[vk::Space], KeyUp);
}

TEST(Keyboard, KeysOutOfRangeAndSystemKeyMessagesAreIgnored)
{
    Keyboard keyboard;
    keyboard.OnMessage(wm::KeyDown, 300, 0);
    keyboard.OnMessage(260, vk::Space, 0);   // a system key message changes nothing
    for (int key = 0; key < 256; ++key) ASSERT_EQ(keyboard.keys[key], KeyUp) << key;
}
