// Writes the game's icon, the picture compiled into the program, as a PNG for the desktop's
// icon theme, so the launcher and the window show the same picture.
#include "graphics/EmbeddedBitmap.h"
#include "platform/Screenshot.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmoor_iconexport OUTPUT.png\n");
        return 2;
    }
    const platform::DecodedImage icon = DecodeEmbeddedBitmap("GAMEICON");
    if (icon.Empty()) {
        std::fprintf(stderr, "velmoor_iconexport: the program carries no readable icon\n");
        return 1;
    }
    if (!platform::SavePng(argv[1], icon)) {
        std::fprintf(stderr, "velmoor_iconexport: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
