#pragma once
#include <cstdint>

// The numbers the screens decide a game by: how many enemies a stage brings and which title
// a finished game earns.

// Enemies of a stage, from one random draw: more with every stage and a wider spread as the
// game goes on, never more than 250.
int StageEnemyCount(uint16_t stageRecord, int draw);

// The rank title (line feed included) for the stage a game ended in.
const char* RankTitle(uint16_t stageRecord);
