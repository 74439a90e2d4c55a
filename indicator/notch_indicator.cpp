#include "notch_indicator.h"

#include "indicator_settings.h"

constinit IndicatorState Indicator{};

namespace {

int32_t WrappingAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

bool IsPanelIndex(int32_t index) { return index >= FirstPanelIndex && index <= LastPanelIndex; }

}  // namespace

void IndicatorState::SetPower(int32_t notch)
{
    PowerNotch = notch;
    PowerDueTime = WrappingAdd(LastTime, ReadSetting(GlobalSettings.NotchLag));
}

void IndicatorState::SetBrake(int32_t notch)
{
    BrakeNotch = notch;
    BrakeDueTime = WrappingAdd(LastTime, ReadSetting(GlobalSettings.NotchLag));
}

void IndicatorState::SetReverser(int32_t position) { ReverserPosition = position; }

void IndicatorState::Initialize(int32_t)
{
    PowerDueTime = 0;
    BrakeDueTime = 0;
}

HandleSet IndicatorState::Elapse(const VehicleState& state, PanelArray panel, SoundArray)
{
    LastTime = state.Time;
    const HandleSet handles{BrakeNotch, PowerNotch, ReverserPosition, 0};

    // Each setting is read once, so a reload on another thread cannot make an
    // index check and its write disagree.
    const int32_t powerPanel = ReadSetting(GlobalSettings.PowerPanel);
    const int32_t brakePanel = ReadSetting(GlobalSettings.BrakePanel);
    const int32_t reverserPanel = ReadSetting(GlobalSettings.ReverserPanel);

    if (PowerDueTime < LastTime)
        ShownPower = WrappingAdd(PowerNotch, ReadSetting(GlobalSettings.HoldingSpeedNotchCount));
    if (BrakeDueTime < LastTime)
        ShownBrake = BrakeNotch;

    if (IsPanelIndex(powerPanel))
        panel[powerPanel] = ShownPower;
    if (IsPanelIndex(brakePanel))
        panel[brakePanel] = ShownBrake;
    if (IsPanelIndex(reverserPanel))
        panel[reverserPanel] = WrappingAdd(ReverserPosition, 1);
    return handles;
}
