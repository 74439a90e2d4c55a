#include "module.h"

#include <cstdio>

namespace platform {
namespace {

// Without a desktop to show it on, the message goes to the standard error.
void ConsoleMessageBox(void*, const char* text, const char* caption, uint32_t)
{
    std::fprintf(stderr, "%s%s%s\n", caption, *caption != '\0' ? ": " : "", text);
}

}  // namespace

MessageBoxFunction ShowMessageBox = ConsoleMessageBox;

}  // namespace platform
