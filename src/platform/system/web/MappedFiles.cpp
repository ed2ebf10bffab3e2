// Emscripten 3.1.6's C library maps a message catalogue (gettext's .mo file) with a
// file-status call whose answer it reads in the kernel's layout rather than its own, so the
// size it maps is wrong and the first translated text ran off the end of memory. This takes
// the place of that one internal function with the ordinary calls, which read the size right.
#include <cstddef>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" const unsigned char* __map_file(const char* path, size_t* size)
{
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    void* map = MAP_FAILED;
    struct stat status {};
    if (fstat(descriptor, &status) == 0) {
        map = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_SHARED, descriptor, 0);
        *size = static_cast<size_t>(status.st_size);
    }
    close(descriptor);
    return map == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(map);
}
