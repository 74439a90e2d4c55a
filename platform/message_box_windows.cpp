#include "module.h"

#include <windows.h>

namespace platform {
namespace {

void SystemMessageBox(void* owner, const char* text, const char* caption, uint32_t style)
{
    MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

}  // namespace

MessageBoxFunction ShowMessageBox = SystemMessageBox;

}  // namespace platform
