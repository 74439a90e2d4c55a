#pragma once

#include <string>

#include "entry_points.h"
#include "host_module.h"

// The sixteen entry points of a loaded plug-in, typed as the host calls them.
struct PluginApi {
    decltype(&::GetPluginVersion) GetPluginVersion = nullptr;
    decltype(&::SetVehicleSpec) SetVehicleSpec = nullptr;
    decltype(&::Initialize) Initialize = nullptr;
    decltype(&::Elapse) Elapse = nullptr;
    decltype(&::SetPower) SetPower = nullptr;
    decltype(&::SetBrake) SetBrake = nullptr;
    decltype(&::SetReverser) SetReverser = nullptr;
    decltype(&::KeyDown) KeyDown = nullptr;
    decltype(&::KeyUp) KeyUp = nullptr;
    decltype(&::HornBlow) HornBlow = nullptr;
    decltype(&::SetSignal) SetSignal = nullptr;
    decltype(&::SetBeaconData) SetBeaconData = nullptr;
    decltype(&::DoorOpen) DoorOpen = nullptr;
    decltype(&::DoorClose) DoorClose = nullptr;
    decltype(&::Load) Load = nullptr;
    decltype(&::Dispose) Dispose = nullptr;
};

// Looks up all sixteen entry points. Returns the name of the first one the
// module does not export, or an empty text when all are there.
std::string ResolvePluginApi(const HostModule& module, PluginApi& api);
