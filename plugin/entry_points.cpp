#include "entry_points.h"

#include "notch_indicator.h"

extern "C" {

int32_t VELTRAND_CALL GetPluginVersion() { return PluginVersion; }

void VELTRAND_CALL Initialize(int32_t value) { Indicator.Initialize(value); }

HandleSet VELTRAND_CALL Elapse(VehicleState state, PanelArray panel, SoundArray sound)
{
    return Indicator.Elapse(state, panel, sound);
}

void VELTRAND_CALL SetPower(int32_t notch) { Indicator.SetPower(notch); }
void VELTRAND_CALL SetBrake(int32_t notch) { Indicator.SetBrake(notch); }
void VELTRAND_CALL SetReverser(int32_t position) { Indicator.SetReverser(position); }

void VELTRAND_CALL Load() {}
void VELTRAND_CALL Dispose() {}
void VELTRAND_CALL SetVehicleSpec(VehicleSpec) {}
void VELTRAND_CALL KeyDown(int32_t) {}
void VELTRAND_CALL KeyUp(int32_t) {}
void VELTRAND_CALL HornBlow(int32_t) {}
void VELTRAND_CALL DoorOpen() {}
void VELTRAND_CALL DoorClose() {}
void VELTRAND_CALL SetSignal(int32_t) {}
void VELTRAND_CALL SetBeaconData(BeaconData) {}

}
