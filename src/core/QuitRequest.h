#pragma once

// The orderly end of the main loop: whoever wants the program to end (Escape, the close
// button, a fatal error) asks here; the loop finishes the current frame and returns the code.
void RequestQuit(int exitCode);
bool QuitRequested();
int QuitExitCode();
void ResetQuitRequest();
