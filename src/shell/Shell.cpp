#include "shell/Shell.h"

int RunShell(int, char**)
{
    return 0;
}
