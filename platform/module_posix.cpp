#include "module.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>

namespace platform {

// The module is whichever shared object holds this function; the handle the
// caller passes is not needed.
size_t ModuleFileName(void*, char* buffer, size_t capacity)
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ModuleFileName), &info) == 0 || info.dli_fname == nullptr)
        return 0;
    char full[PATH_MAX];
    const char* path = realpath(info.dli_fname, full) != nullptr ? full : info.dli_fname;
    const size_t length = std::strlen(path);
    const size_t written = length < capacity ? length : capacity;
    std::memcpy(buffer, path, written);
    return written;
}

}  // namespace platform
