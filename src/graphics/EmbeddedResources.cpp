#include "graphics/EmbeddedResources.h"

namespace {

struct EmbeddedResource {
    std::string_view name;
    std::span<const uint8_t> bytes;
};

// The asset build writes this table (name and bytes of every embedded picture) into the build
// folder; a build without it has no embedded pictures and draws those surfaces untextured.
#if __has_include("velmoor_embedded_resources.inc")
#include "velmoor_embedded_resources.inc"
#else
constexpr EmbeddedResource embeddedResources[] = {{"", {}}};
#endif

}  // namespace

std::span<const uint8_t> FindEmbeddedResource(std::string_view name)
{
    for (const EmbeddedResource& resource : embeddedResources) {
        if (!name.empty() && resource.name == name) return resource.bytes;
    }
    return {};
}
