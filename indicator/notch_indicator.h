#pragma once

#include <cstdint>

#include "host_records.h"

// The notch indicator: remembers the handle positions the host reports and,
// on every frame, writes three numbers into the host's panel array at the
// indices configured in GlobalSettings:
//   - the shown power number: the power notch plus HoldingSpeedNotchCount,
//   - the shown brake number: the brake notch,
//   - the reverser position plus one.
// The two notch numbers follow their handles only at frames whose time is
// greater than the handle's due time, which a movement stamps as the time of
// the latest frame plus NotchLag; a further movement restarts the wait. The
// reverser number follows at once. An index outside FirstPanelIndex to
// LastPanelIndex switches that output off.
//
// The settings are read afresh at every call, so a reload takes effect at the
// next call. All sums wrap in two's complement; comparisons are signed. No
// operation allocates, touches a file or calls the platform.
struct IndicatorState {
    int32_t LastTime = 0;          // Time of the latest Elapse
    int32_t PowerNotch = 0;        // latest power notch
    int32_t BrakeNotch = 0;        // latest brake notch
    int32_t ReverserPosition = 0;  // latest reverser position
    int32_t PowerDueTime = 0;      // ShownPower follows PowerNotch at frames later than this
    int32_t BrakeDueTime = 0;      // ShownBrake follows BrakeNotch at frames later than this
    int32_t ShownPower = 0;        // power number last computed for the panel
    int32_t ShownBrake = 0;        // brake number last computed for the panel

    // Stores the notch and stamps its due time as LastTime + NotchLag.
    void SetPower(int32_t notch);
    void SetBrake(int32_t notch);

    // Stores the position; the reverser number is never delayed.
    void SetReverser(int32_t position);

    // Clears both due times, releasing the shown numbers at the next frame
    // whose time is above 0. The argument is ignored; notches, shown numbers
    // and LastTime keep their values.
    void Initialize(int32_t ignored);

    // The per-frame step: records the frame's time, updates the shown numbers
    // whose due time has passed, writes the enabled outputs in the order
    // power, brake, reverser (so with equal indices the later one wins) and
    // hands the handle positions back unchanged. The sound array is never
    // touched; the panel array is touched only when an output is enabled.
    HandleSet Elapse(const VehicleState& state, PanelArray panel, SoundArray sound);
};

// The module's one indicator, all zero from the moment the module is loaded.
extern IndicatorState Indicator;
