#include "EmbeddedTable.h"

#include <cctype>
#include <cstdio>

namespace {

std::string ArrayName(const std::string& resourceName)
{
    std::string name = "bytesOf";
    bool upper = true;
    for (const char c : resourceName) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                      : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        upper = false;
    }
    return name;
}

}  // namespace

std::string EmbeddedTableSource(const std::vector<NamedFile>& files)
{
    std::string out =
        "// Written by the art builder from assets/art; edit the sources there, not this file.\n"
        "// The surface pictures and the window icon, compiled into the executable.\n\n";
    for (const NamedFile& file : files) {
        out += "constexpr uint8_t " + ArrayName(file.name) + "[" + std::to_string(file.bytes.size()) + "] = {";
        for (size_t i = 0; i < file.bytes.size(); ++i) {
            if (i % 20 == 0) out += "\n   ";
            char hex[8];
            std::snprintf(hex, sizeof hex, " 0x%02x,", file.bytes[i]);
            out += hex;
        }
        out += "\n};\n\n";
    }
    out += "constexpr EmbeddedResource embeddedResources[] = {\n";
    for (const NamedFile& file : files)
        out += "    {\"" + file.name + "\", std::span<const uint8_t>(" + ArrayName(file.name) + ")},\n";
    out += "};\n";
    return out;
}
