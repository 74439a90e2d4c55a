// A shared object gets no loader notifications of its own: this static object
// sends process attach when the object is loaded and process detach when it
// is unloaded. There are no thread notifications.

#include "module_startup.h"

namespace {

struct ModuleLifetime {
    ModuleLifetime() { OnModuleNotification(nullptr, ProcessAttach, nullptr); }
    ~ModuleLifetime() { OnModuleNotification(nullptr, ProcessDetach, nullptr); }
    ModuleLifetime(const ModuleLifetime&) = delete;
    ModuleLifetime& operator=(const ModuleLifetime&) = delete;
};

const ModuleLifetime lifetime;

}  // namespace
