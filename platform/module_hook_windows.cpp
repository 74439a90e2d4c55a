// The loader calls DllMain for every notification, after the runtime has
// built the module's static objects and before it releases them.

#include <windows.h>

#include "module_startup.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD notification, LPVOID reserved)
{
    return OnModuleNotification(module, notification, reserved);
}
