#include "core/ErrorReport.h"
#include "core/QuitRequest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestFiles.h"

namespace {

std::string ReadReport()
{
    const std::vector<uint8_t> bytes = ReadBytes(ReportFileName);
    return {bytes.begin(), bytes.end()};
}

// Each test works in a folder of its own, so the report file of one never meets another's.
class ErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(FreshTestFolder(std::string("core/") + CurrentTestName()));
        SetFatalErrorNotice(nullptr);
        ResetErrorReportForTests();
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        ResetErrorReportForTests();
    }
    static const char* CurrentTestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

    std::filesystem::path previous;
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
    FatalError(nullptr);
    EXPECT_TRUE(FatalErrorRaised() && QuitRequested());
    RequestQuit(0);   // the window closing afterwards does not turn it into a success
    EXPECT_NE(QuitExitCode(), 0);
}

TEST_F(ErrorReportTest, UnwritableReportIsDroppedQuietly)
{
    std::filesystem::create_directory(ReportFileName);   // a folder where the file should go
    ReportErrorResult("lost", 1);
    EXPECT_TRUE(std::filesystem::is_directory(ReportFileName));
}
