#pragma once
#include "game/GameSnapshot.h"

#include <string>

// One line of game state written after each frame with --trace; tests and tools compare runs
// through it, so its format never changes:
//   frame F state S stage R player X Y Z facing A time T life L mana M objects N effects E item K
std::string FormatTraceLine(const GameSnapshot& snapshot);
