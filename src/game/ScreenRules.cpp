#include "game/ScreenRules.h"

#include <algorithm>

namespace {

constexpr int MaxEnemies = 250;

struct Rank {
    uint16_t    above;   // the title goes to records greater than this
    const char* title;
};

// Tested from the top: the first row the record exceeds wins.
constexpr Rank Ranks[] = {
    {100, "MasterWarlock\n"}, {90, "Necromancer\n"}, {80, "Warlock\n"},
    {70, "MasterWizard\n"},   {60, "SpellMaster\n"}, {50, "HighWizard\n"},
    {40, "Wizard\n"},         {30, "Druid\n"},       {20, "Shaman\n"},
    {10, "MagicUser\n"},
};

}  // namespace

int StageEnemyCount(uint16_t stageRecord, int draw)
{
    const int count = stageRecord + 20 + draw % (stageRecord / 2 + 1);
    return std::min(count, MaxEnemies);
}

const char* RankTitle(uint16_t stageRecord)
{
    for (const Rank& rank : Ranks) {
        if (stageRecord > rank.above) return rank.title;
    }
    return "BeginnerMage\n";
}
