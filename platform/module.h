#pragma once

#include <cstddef>
#include <cstdint>

// What the module's start-up needs to know of itself and to show.
namespace platform {

// Writes the full path of the module's own file into buffer, at most
// capacity characters, and returns how many it wrote; 0 when the platform
// cannot tell, capacity when the path did not fit.
size_t ModuleFileName(void* module, char* buffer, size_t capacity);

// Shows text in a message box with the given owner, caption and style (0: a
// single OK button).
using MessageBoxFunction = void (*)(void* owner, const char* text, const char* caption, uint32_t style);

// The function that shows message boxes: the platform's own, or whatever a
// test puts here to watch the calls.
extern MessageBoxFunction ShowMessageBox;

}  // namespace platform
