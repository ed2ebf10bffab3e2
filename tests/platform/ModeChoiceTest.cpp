#include "platform/dialogs/ModeDialog.h"

#include "core/Translation.h"
#include "LocaleEnvironment.h"

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

// A Japanese player reads the dialog exactly as it has always read; any other player reads it
// in English.
TEST(ModeDialog, SpeaksThePlayersLanguageAndJapaneseAsItAlwaysWas)
{
    const auto wordsUnder = [](const char* language) {
        const LocaleEnvironment locale({"LANG=C.UTF-8", std::string("LANGUAGE=") + language});
        SetUpTranslation();
        return platform::ModeDialogText();
    };
    const platform::ModeDialogWords japanese = wordsUnder("ja");
    EXPECT_EQ(japanese.caption, "プレイ画面の選択");
    EXPECT_EQ(japanese.label, "モード");
    EXPECT_EQ(japanese.items, (std::vector<std::string>{"Window", "FullScreen"}));
    EXPECT_EQ(japanese.ok, "OK");
    const platform::ModeDialogWords english = wordsUnder("en");
    EXPECT_EQ(english.caption, "Velmoor: choose the screen");
    EXPECT_EQ(english.label, "Mode");
    EXPECT_EQ(english.items, (std::vector<std::string>{"Window", "Full screen"}));
}
