#pragma once
#include <cstdint>

// Failures of the sound and music start-up end up here: a fatal error tells the player in a
// box (and on stderr) and ends the main loop; the report file "ER_REPORT.TXT" in the current
// directory collects the texts and result codes of failed sound-device calls. The first report
// of a run empties the file, later ones append.

// The text is the player's message (null: no box, still quits); the reason, when given, says
// in plain words which file is wrong and how. Both go to stderr on one line and into the box.
// Both come translated (core/Translation.h): a Japanese player reads a Japanese text over the
// English reason.
void FatalError(const char* text, const char* reason = nullptr);
void ReportError(const char* text);
void ReportErrorResult(const char* text, int32_t code);

// How a fatal error is shown to the player besides its stderr line: the shell installs the
// platform's notice box; none is installed with --headless, in tests and in tools.
using FatalErrorNotice = void (*)(const char* caption, const char* text, const char* reason);
void SetFatalErrorNotice(FatalErrorNotice notice);      // nullptr: stderr only

// State of the failure path, for the shell and for tests.
bool FatalErrorRaised();                                 // a fatal error has ended this run
void ResetErrorReportForTests();                         // forget that this run already reported

constexpr const char* ReportFileName = "ER_REPORT.TXT";
