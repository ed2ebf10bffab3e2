// The player's language, with the catalogues this build compiled (locale/ beside the test
// programs, as beside the game).
#include "core/Translation.h"

#include "LocaleEnvironment.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A text of the game in the language the environment asks for.
std::string ProgramErrorUnder(const std::vector<std::string>& environment)
{
    const LocaleEnvironment locale(environment);
    SetUpTranslation();
    return Translate("Program error");
}

}  // namespace

// Machines often have no Japanese locale generated, only C and C.UTF-8: a Japanese player is
// answered in Japanese all the same, and everyone else in English.
TEST(Translation, TheLanguageAskedForIsSpokenEvenWhereTheMachineHasNoSuchLocale)
{
    const std::string japanese = "プログラムエラー", english = "Program error";
    EXPECT_EQ(ProgramErrorUnder({"LANG=C.UTF-8", "LANGUAGE=ja"}), japanese);
    EXPECT_EQ(ProgramErrorUnder({"LANG=C", "LANGUAGE=ja"}), japanese) << "gettext alone ignores LANGUAGE under C";
    EXPECT_EQ(ProgramErrorUnder({"LANG=ja_JP.UTF-8"}), japanese) << "a locale the machine lacks";
    EXPECT_EQ(ProgramErrorUnder({"LANG=ja_JP.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"}), japanese);
    EXPECT_EQ(ProgramErrorUnder({"LANG=C.UTF-8", "LANGUAGE=en"}), english);
    EXPECT_EQ(ProgramErrorUnder({"LANG=C.UTF-8"}), english);
    EXPECT_EQ(ProgramErrorUnder({"LANG=ja_JP.UTF-8", "LC_ALL=C"}), english) << "LC_ALL outranks LANG";
    EXPECT_EQ(ProgramErrorUnder({}), english);
}

TEST(Translation, WithoutACatalogueEveryTextStaysEnglishAndNothingIsSaid)
{
    const LocaleEnvironment locale({"LANG=C.UTF-8", "LANGUAGE=ja"});
    testing::internal::CaptureStderr();
    SetUpTranslationFrom(FreshTestFolder("core/no-catalogue").string());
    EXPECT_STREQ(Translate("Program error"), "Program error");
    EXPECT_STREQ(TranslateIn("start-up dialog", "Mode"), "Mode");
    EXPECT_EQ(TranslateWith("cannot open the music file %s", "/x/run.mid"), "cannot open the music file /x/run.mid");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
