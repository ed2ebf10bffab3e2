#include "platform/system/LoadedLibraries.h"

#include <dlfcn.h>
#include <link.h>

namespace platform {

void KeepLoadedLibraries()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) -> int {
            // A reference that is never released keeps the library loaded.
            if (info->dlpi_name && info->dlpi_name[0]) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

}  // namespace platform
