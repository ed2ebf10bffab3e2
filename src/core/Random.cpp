#include "core/Random.h"

int Random::Next()
{
    state = state * 214013u + 2531011u;
    ++draws;
    return static_cast<int>((state >> 16) & 0x7fff);
}

Random& SharedRandom()
{
    static Random generator;
    return generator;
}
