#include "shell/Trace.h"

#include <cinttypes>
#include <cstdio>

std::string FormatTraceLine(const GameSnapshot& s)
{
    char line[512];
    std::snprintf(line, sizeof line,
                  "frame %" PRIu64 " state %d stage %u player %.9g %.9g %.9g facing %.9g time %.9g "
                  "life %.9g mana %.9g objects %u effects %u item %d\n",
                  s.frame, s.state, s.stage, static_cast<double>(s.player.x),
                  static_cast<double>(s.player.y), static_cast<double>(s.player.z),
                  static_cast<double>(s.facing), static_cast<double>(s.time),
                  static_cast<double>(s.life), static_cast<double>(s.mana), s.objects, s.effects,
                  s.item);
    return line;
}
