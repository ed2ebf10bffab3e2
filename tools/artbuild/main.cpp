#include <cstdio>
#include <string>

#include "ArtBuild.h"

// The asset builder: turns the art sources into the sprite sheet, the embedded surface
// pictures and the icon, and a contact sheet for review.
int main(int argc, char** argv)
{
    ArtBuildPaths paths;
    std::string error;
    if (!ParseArtBuildArguments(argc, argv, paths, error) || !RunArtBuild(paths, error)) {
        std::fprintf(stderr, "velmoor_artbuild: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
