#include "plugin_api.h"

#include <cstring>

namespace {

template <typename Function>
bool Resolve(const HostModule& module, const char* name, Function& slot)
{
    void* address = module.Find(name);
    if (address == nullptr)
        return false;
    static_assert(sizeof(slot) == sizeof(address));
    std::memcpy(&slot, &address, sizeof(slot));
    return true;
}

}  // namespace

std::string ResolvePluginApi(const HostModule& module, PluginApi& api)
{
#define VELTRAND_RESOLVE(name) \
    if (!Resolve(module, #name, api.name)) \
        return #name;
    VELTRAND_RESOLVE(GetPluginVersion)
    VELTRAND_RESOLVE(SetVehicleSpec)
    VELTRAND_RESOLVE(Initialize)
    VELTRAND_RESOLVE(Elapse)
    VELTRAND_RESOLVE(SetPower)
    VELTRAND_RESOLVE(SetBrake)
    VELTRAND_RESOLVE(SetReverser)
    VELTRAND_RESOLVE(KeyDown)
    VELTRAND_RESOLVE(KeyUp)
    VELTRAND_RESOLVE(HornBlow)
    VELTRAND_RESOLVE(SetSignal)
    VELTRAND_RESOLVE(SetBeaconData)
    VELTRAND_RESOLVE(DoorOpen)
    VELTRAND_RESOLVE(DoorClose)
    VELTRAND_RESOLVE(Load)
    VELTRAND_RESOLVE(Dispose)
#undef VELTRAND_RESOLVE
    return {};
}
