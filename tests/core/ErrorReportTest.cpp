#include "core/ErrorReport.h"
#include "core/QuitRequest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadReport()
{
    std::ifstream file(ReportFileName, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Each test works in a folder of its own, so the report file of one never meets another's.
class ErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() /
                 ("velmoor-report-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        SetFatalErrorNotice(nullptr);
        ResetErrorReportForTests();
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
        ResetErrorReportForTests();
    }
    std::filesystem::path previous, folder;
};

}  // namespace

TEST_F(ErrorReportTest, FirstReportOfARunEmptiesTheFileLaterOnesAppend)
{
    std::ofstream(ReportFileName) << "left over from an earlier run\n";
    ReportErrorResult("デバイスの生成に失敗", -2005401480);
    ReportError("ファイルオープンに失敗しました");
    ReportErrorResult("second", 7);
    EXPECT_EQ(ReadReport(), "デバイスの生成に失敗 Result(-2005401480)\n"
                            "ファイルオープンに失敗しました"
                            "second Result(7)\n");

    // A new run starts over.
    ResetErrorReportForTests();
    ReportError("new run");
    EXPECT_EQ(ReadReport(), "new run");
}

TEST_F(ErrorReportTest, FatalErrorEndsTheRunWithAFailureCodeEvenWithoutText)
{
    EXPECT_FALSE(QuitRequested());
    FatalError(nullptr);
    EXPECT_TRUE(FatalErrorRaised());
    EXPECT_TRUE(QuitRequested());
    EXPECT_NE(QuitExitCode(), 0);
    RequestQuit(0);   // the window closing afterwards does not turn it into a success
    EXPECT_NE(QuitExitCode(), 0);
}

TEST_F(ErrorReportTest, UnwritableReportIsDroppedQuietly)
{
    std::filesystem::create_directory(ReportFileName);   // a folder where the file should go
    ReportErrorResult("lost", 1);
    EXPECT_TRUE(std::filesystem::is_directory(ReportFileName));
}
