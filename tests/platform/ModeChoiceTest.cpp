#include "platform/ModeDialog.h"

#include <gtest/gtest.h>

using platform::DialogKey;
using platform::ModeChoice;

TEST(ModeChoice, TheOpenListOnlyMarksUntilItChoosesAndEscapeNeverLeaves)
{
    ModeChoice choice(0);
    choice.Key(DialogKey::OpenList);
    choice.Key(DialogKey::Down);
    EXPECT_EQ(choice.Highlight(), 1);
    EXPECT_EQ(choice.Selection(), 0) << "marking is not choosing";
    choice.Key(DialogKey::Escape);
    EXPECT_FALSE(choice.ListOpen());
    EXPECT_EQ(choice.Selection(), 0) << "Escape closes the list without choosing";
    choice.Key(DialogKey::Escape);
    EXPECT_FALSE(choice.Accepted()) << "there is no cancel";

    choice.Key(DialogKey::OpenList);
    choice.Key(DialogKey::Down);
    choice.Key(DialogKey::Return);
    EXPECT_EQ(choice.Selection(), 1);
    EXPECT_FALSE(choice.Accepted()) << "Return in the open list chooses, it does not press OK";
    choice.Key(DialogKey::Up);
    choice.Key(DialogKey::Up);
    EXPECT_EQ(choice.Selection(), 0) << "arrows on the closed list choose, stopping at the first item";
    choice.Key(DialogKey::Return);
    EXPECT_TRUE(choice.Accepted()) << "OK is the default button";
}

TEST(ModeChoice, SpaceAndTheMousePressOkOnlyWhereAButtonWould)
{
    ModeChoice choice(1);
    choice.Key(DialogKey::Space);
    EXPECT_FALSE(choice.Accepted()) << "Space on the list";
    choice.Key(DialogKey::Tab);
    choice.Key(DialogKey::Space);
    EXPECT_TRUE(choice.Accepted()) << "Space on the focused OK";

    ModeChoice mouse(1);
    mouse.PressOk(true, true);
    mouse.PressOk(false, false);
    EXPECT_FALSE(mouse.Accepted()) << "let go outside the button";
    mouse.ClickBox();
    mouse.ClickItem(0);
    EXPECT_FALSE(mouse.ListOpen());
    mouse.PressOk(true, true);
    mouse.PressOk(false, true);
    EXPECT_TRUE(mouse.Accepted());
    EXPECT_EQ(mouse.Selection(), 0);
}
