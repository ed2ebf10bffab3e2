#include "shell/Shell.h"

int main(int argc, char** argv)
{
    return RunShell(argc, argv);
}
