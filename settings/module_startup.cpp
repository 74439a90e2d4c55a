#include "module_startup.h"

#include <algorithm>

#include "indicator_settings.h"
#include "module.h"

#ifndef VELTRAND_SHOW_MODULE_PATH
#define VELTRAND_SHOW_MODULE_PATH 0
#endif

// GlobalSettings is built before every other static object of the module and
// released after them, so it exists for the notifications that a platform
// hook sends from a static object of its own.
#if defined(__GNUC__)
#define VELTRAND_BUILT_FIRST __attribute__((init_priority(101)))
#else
#define VELTRAND_BUILT_FIRST
#endif

IndicatorSettings GlobalSettings VELTRAND_BUILT_FIRST{std::string()};

std::optional<std::string> SettingsPathFor(std::string_view modulePath)
{
    if (modulePath.empty() || modulePath.size() >= ModulePathLimit)
        return std::nullopt;
    const size_t separator = modulePath.find_last_of("\\/");
    const size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    const size_t dot = modulePath.find_last_of('.');
    const size_t stemEnd = dot != std::string_view::npos && dot >= nameStart ? dot : modulePath.size();
    return std::string(modulePath.substr(0, stemEnd)) + std::string(SettingsExtension);
}

int32_t OnModuleNotification(void* module, uint32_t, void*)
{
    char buffer[ModulePathLimit + 1] = {};
    const size_t length = platform::ModuleFileName(module, buffer, ModulePathLimit);
    if constexpr (VELTRAND_SHOW_MODULE_PATH)
        platform::ShowMessageBox(module, buffer, "", 0);

    const std::optional<std::string> settingsPath = SettingsPathFor({buffer, std::min(length, ModulePathLimit)});
    if (settingsPath && !GlobalSettings.LoadFrom(*settingsPath))
        GlobalSettings.SaveTo(*settingsPath);
    return 1;
}
