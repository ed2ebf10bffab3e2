#include "shell/MainLoop.h"

#include "field/RuinPrinter.h"

#include <cstdio>

int PrintRuinAndExit(uint32_t seed, bool title)
{
    std::fputs(PrintRuin(seed, title).c_str(), stdout);
    return 0;
}
