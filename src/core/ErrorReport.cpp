#include "core/ErrorReport.h"

#include "core/QuitRequest.h"
#include "core/Translation.h"

#include <cstdio>

namespace {

bool reportFileStarted = false;   // the first report of a run empties the file
FatalErrorNotice fatalErrorNotice = nullptr;
bool fatalErrorRaised = false;

FILE* OpenReportFile()
{
    FILE* file = std::fopen(ReportFileName, reportFileStarted ? "ab" : "wb");
    if (file) reportFileStarted = true;
    return file;
}

}  // namespace

void FatalError(const char* text, const char* reason)
{
    if (text) {
        if (reason) std::fprintf(stderr, "velmoor: %s: %s\n", text, reason);
        else std::fprintf(stderr, "velmoor: %s\n", text);
        if (fatalErrorNotice) fatalErrorNotice(Translate("Velmoor has to stop"), text, reason);
    }
    fatalErrorRaised = true;
    RequestQuit(1);   // a run ended by a fatal error is not a success
}

void ReportError(const char* text)
{
    FILE* file = OpenReportFile();
    if (!file) return;   // an unwritable report is dropped; the caller carries on
    std::fputs(text, file);
    std::fclose(file);
}

void ReportErrorResult(const char* text, int32_t code)
{
    FILE* file = OpenReportFile();
    if (!file) return;
    std::fputs(text, file);
    std::fprintf(file, " Result(%d)\n", static_cast<int>(code));
    std::fclose(file);
}

void SetFatalErrorNotice(FatalErrorNotice notice) { fatalErrorNotice = notice; }
bool FatalErrorRaised() { return fatalErrorRaised; }

void ResetErrorReportForTests()
{
    reportFileStarted = false;
    fatalErrorRaised = false;
    ResetQuitRequest();
}
