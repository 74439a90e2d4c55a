#include "profile.h"

#include <windows.h>

namespace platform {

int32_t ReadProfileInteger(const char* section, const char* key, int32_t defaultValue, const char* path)
{
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, path));
}

bool WriteProfileText(const char* section, const char* key, const char* text, const char* path)
{
    return WritePrivateProfileStringA(section, key, text, path) != FALSE;
}

bool EntryExists(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace platform
