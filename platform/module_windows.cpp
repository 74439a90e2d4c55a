#include "module.h"

#include <windows.h>

namespace platform {

size_t ModuleFileName(void* module, char* buffer, size_t capacity)
{
    return GetModuleFileNameA(static_cast<HMODULE>(module), buffer, static_cast<DWORD>(capacity));
}

}  // namespace platform
