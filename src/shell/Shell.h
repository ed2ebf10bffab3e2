#pragma once

// The process entry: command line, mode choice, window, Game::Init, the paced main loop.
int RunShell(int argc, char** argv);
