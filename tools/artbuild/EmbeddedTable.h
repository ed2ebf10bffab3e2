#pragma once
#include <string>
#include <vector>

#include "ImageFiles.h"

struct NamedFile {
    std::string name;  // resource name the game looks the bytes up by, e.g. "IMAGE_FIELD0"
    Bytes bytes;
};

// C++ source for the game's table of embedded pictures: one byte array per file and the table
// `embeddedResources` of {name, span} entries, to be included where EmbeddedResource is known.
std::string EmbeddedTableSource(const std::vector<NamedFile>& files);
