#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Module start-up: where the settings come from.
//
// When the module is loaded, GlobalSettings is built from the defaults and
// the "DATA" section of "./ATS.ini" in the working directory, if that file
// exists. Then every module notification (process attach, thread attach and
// detach, process detach) reads the settings file beside the module, named
// after the module with the extension ".ini"; when that file does not exist
// it is created from the values in memory. When the module is unloaded,
// after the last notification, GlobalSettings is released; nothing is
// written then.

// The notification kinds, as the platform numbers them. Every kind is
// handled alike.
enum ModuleNotification : uint32_t { ProcessDetach = 0, ProcessAttach = 1, ThreadAttach = 2, ThreadDetach = 3 };

// The most characters of the module path the platform may give; a path that
// fills all of them may have been cut short.
constexpr size_t ModulePathLimit = 260;

// The extension of the module's settings file.
constexpr std::string_view SettingsExtension = ".ini";

// The settings file beside a module: the module path with the extension of
// its file name (from the last '.' after the last '\' or '/') replaced by
// ".ini", or ".ini" appended when the name has none. Nothing when the path is
// empty or fills ModulePathLimit characters.
std::optional<std::string> SettingsPathFor(std::string_view modulePath);

// The platform's module notification: reads the module's settings file, or
// creates it when it is missing. Always answers 1, so that loading never
// fails. When the platform cannot give the module path whole, nothing is
// read or written and the module runs on the values it has.
int32_t OnModuleNotification(void* module, uint32_t notification, void* reserved);
