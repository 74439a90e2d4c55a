#pragma once

#include <cstddef>
#include <cstdint>

// The records that cross the boundary between the host simulator and the
// plug-in. Their layouts are fixed by the host: little-endian, natural 4-byte
// alignment, as laid out for 32-bit x86. Every field is 32 bits wide, so the
// same layouts hold on x86-64.

// Version of the host's plug-in convention that this module implements.
constexpr int32_t PluginVersion = 0x00020000;

// Vehicle state for one frame, passed by value to Elapse. Only Time is read.
struct VehicleState {
    int32_t Unused0[3];
    int32_t Time;  // the host's current simulation time, in the host's own unit
    int32_t Unused1[6];
};

// Handle positions handed back to the host by Elapse.
struct HandleSet {
    int32_t Brake;
    int32_t Power;
    int32_t Reverser;
    int32_t Auxiliary;
};

// Passed by value to SetVehicleSpec; not read.
struct VehicleSpec {
    int32_t Unused[5];
};

// Passed by value to SetBeaconData; not read.
struct BeaconData {
    int32_t Unused[4];
};

// The host's panel array. The plug-in only writes it, and only at indices
// FirstPanelIndex to LastPanelIndex; the host supplies at least
// PanelElementCount elements.
using PanelArray = int32_t*;
constexpr int32_t FirstPanelIndex = 0;
constexpr int32_t LastPanelIndex = 255;
constexpr int32_t PanelElementCount = LastPanelIndex + 1;

// The host's sound array; never read or written.
using SoundArray = int32_t*;

static_assert(sizeof(VehicleState) == 40);
static_assert(offsetof(VehicleState, Time) == 12);
static_assert(sizeof(HandleSet) == 16);
static_assert(offsetof(HandleSet, Brake) == 0);
static_assert(offsetof(HandleSet, Power) == 4);
static_assert(offsetof(HandleSet, Reverser) == 8);
static_assert(offsetof(HandleSet, Auxiliary) == 12);
static_assert(sizeof(VehicleSpec) == 20);
static_assert(sizeof(BeaconData) == 16);
static_assert(alignof(VehicleState) == 4 && alignof(HandleSet) == 4);
