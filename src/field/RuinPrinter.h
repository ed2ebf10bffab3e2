#pragma once
#include <cstdint>
#include <string>

// The ruin a seed builds, as text: for each layer 0..7 a line "layer L" and a 20 by 20 picture
// (rows down, cols across; '.' air, '#' stone, '@' magic circle), then "draws D", the random
// draws the building took. With title set, the title screen's layout is built instead.
std::string PrintRuin(uint32_t seed, bool title);
