#pragma once
#include "Score.h"

#include <cstdint>
#include <vector>

// A Standard MIDI File of format 1: a conductor track (title, meter, tempo) and one track per
// score track. Every track ends at exactly the song's length, so a player that starts the file
// over when it ends lands on the first beat again.
std::vector<uint8_t> WriteMidi(const Song& song);
