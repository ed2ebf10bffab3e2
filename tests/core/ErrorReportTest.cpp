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

}  // namespace

// The report file lies in the current folder (here a folder of the test's own): a run's first
// report empties it, later ones append, and one that cannot be written is dropped quietly.
TEST(ErrorReport, FirstReportOfARunEmptiesTheFileLaterOnesAppendAndAnUnwritableOneIsDropped)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(FreshTestFolder("core/report"));
    ResetErrorReportForTests();
    std::ofstream(ReportFileName) << "left over from an earlier run\n";
    ReportErrorResult("デバイスの生成に失敗", -2005401480);
    ReportError("ファイルオープンに失敗しました");
    ReportErrorResult("second", 7);
    EXPECT_EQ(ReadReport(), "デバイスの生成に失敗 Result(-2005401480)\n"
                            "ファイルオープンに失敗しました"
                            "second Result(7)\n");
    ResetErrorReportForTests();   // a new run starts over
    ReportError("new run");
    EXPECT_EQ(ReadReport(), "new run");

    std::filesystem::remove(ReportFileName);
    std::filesystem::create_directory(ReportFileName);   // a folder where the file should go
    ReportErrorResult("lost", 1);
    EXPECT_TRUE(std::filesystem::is_directory(ReportFileName));
    std::filesystem::current_path(previous);
}

TEST(ErrorReport, FatalErrorEndsTheRunWithAFailureCodeEvenWithoutText)
{
    SetFatalErrorNotice(nullptr);
    ResetErrorReportForTests();
    FatalError(nullptr);
    EXPECT_TRUE(FatalErrorRaised() && QuitRequested());
    RequestQuit(0);   // the window closing afterwards does not turn it into a success
    EXPECT_NE(QuitExitCode(), 0);
}
