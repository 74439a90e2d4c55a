#pragma once

#include "host_records.h"

// The sixteen entry points the host calls. On 32-bit x86 Windows they use the
// platform's standard calling convention (arguments pushed right to left, the
// callee removes them; Elapse also removes the hidden result pointer) and are
// exported under their plain names by Veltrand.def. Elsewhere they are plain C
// functions, and the only symbols the module exports.

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#define VELTRAND_CALL __stdcall
#else
#define VELTRAND_CALL
#endif

// Windows exports come from the .def file alone: marking the functions
// dllexport as well would export their decorated names beside the plain ones.
#if defined(_WIN32)
#define VELTRAND_EXPORT
#else
#define VELTRAND_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Answers PluginVersion.
VELTRAND_EXPORT int32_t VELTRAND_CALL GetPluginVersion();

// The five entry points that drive the notch indicator.
VELTRAND_EXPORT void VELTRAND_CALL Initialize(int32_t value);
VELTRAND_EXPORT HandleSet VELTRAND_CALL Elapse(VehicleState state, PanelArray panel, SoundArray sound);
VELTRAND_EXPORT void VELTRAND_CALL SetPower(int32_t notch);
VELTRAND_EXPORT void VELTRAND_CALL SetBrake(int32_t notch);
VELTRAND_EXPORT void VELTRAND_CALL SetReverser(int32_t position);

// Accepted and ignored.
VELTRAND_EXPORT void VELTRAND_CALL Load();
VELTRAND_EXPORT void VELTRAND_CALL Dispose();
VELTRAND_EXPORT void VELTRAND_CALL SetVehicleSpec(VehicleSpec spec);
VELTRAND_EXPORT void VELTRAND_CALL KeyDown(int32_t key);
VELTRAND_EXPORT void VELTRAND_CALL KeyUp(int32_t key);
VELTRAND_EXPORT void VELTRAND_CALL HornBlow(int32_t horn);
VELTRAND_EXPORT void VELTRAND_CALL DoorOpen();
VELTRAND_EXPORT void VELTRAND_CALL DoorClose();
VELTRAND_EXPORT void VELTRAND_CALL SetSignal(int32_t signal);
VELTRAND_EXPORT void VELTRAND_CALL SetBeaconData(BeaconData beacon);

}
