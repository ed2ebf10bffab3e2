#include "core/QuitRequest.h"

namespace {
bool requested = false;
int exitCode = 0;
}  // namespace

void RequestQuit(int code)
{
    // A failure code is never overwritten by a later plain quit.
    if (!requested || exitCode == 0) exitCode = code;
    requested = true;
}

bool QuitRequested() { return requested; }
int QuitExitCode() { return exitCode; }

void ResetQuitRequest()
{
    requested = false;
    exitCode = 0;
}
