// The notch indicator against a table of host call sequences. After every
// frame the whole panel array (larger than the host's) is compared, so a
// missing write, a wrong value and a write at a wrong index all fail.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "indicator_settings.h"
#include "notch_indicator.h"

namespace {

constexpr int32_t Untouched = 0x5EED5EED;
constexpr int32_t PanelSpan = PanelElementCount + 8;

struct Step {
    enum Kind { Frame, Power, Brake, Reverser, Init } What;
    int32_t Value;
    std::vector<std::pair<int32_t, int32_t>> Writes;  // for a frame: the panel elements it must write
};

Step Frame(int32_t time, std::vector<std::pair<int32_t, int32_t>> writes) { return {Step::Frame, time, std::move(writes)}; }
Step Power(int32_t notch) { return {Step::Power, notch, {}}; }
Step Brake(int32_t notch) { return {Step::Brake, notch, {}}; }
Step Reverser(int32_t position) { return {Step::Reverser, position, {}}; }
Step Init() { return {Step::Init, 0, {}}; }

struct Tuning {
    int32_t PowerPanel = 10;
    int32_t BrakePanel = 11;
    int32_t ReverserPanel = 12;
    int32_t HoldingSpeedNotchCount = 0;
    int32_t NotchLag = 100;
};

struct Case {
    std::string Name;
    Tuning Settings;
    std::vector<Step> Steps;
};

// The frame writes at the usual indices: power, brake, reverser number.
std::vector<std::pair<int32_t, int32_t>> Shows(int32_t power, int32_t brake, int32_t reverser)
{
    return {{10, power}, {11, brake}, {12, reverser}};
}

const std::vector<Case> Cases = {
    {"PowerShowsOnlyAfterItsDueTimeHasPassed", {},
     {Frame(500, Shows(0, 0, 1)), Power(3), Frame(599, Shows(0, 0, 1)), Frame(600, Shows(0, 0, 1)),
      Frame(601, Shows(3, 0, 1)), Frame(700, Shows(3, 0, 1))}},
    {"BrakeShowsOnlyAfterItsDueTimeHasPassed", {},
     {Frame(500, Shows(0, 0, 1)), Brake(5), Frame(600, Shows(0, 0, 1)), Frame(601, Shows(0, 5, 1))}},
    {"DueTimeIsStampedWithTheLatestFrameNotTheMovement", {},
     {Power(2), Frame(50, Shows(0, 0, 1)), Frame(101, Shows(2, 0, 1))}},
    {"SecondMovementRestartsTheWindow", {},
     {Frame(500, Shows(0, 0, 1)), Power(3), Frame(550, Shows(0, 0, 1)), Power(4), Frame(601, Shows(0, 0, 1)),
      Frame(650, Shows(0, 0, 1)), Frame(651, Shows(4, 0, 1))}},
    {"BrakeMovementLeavesThePowerWindowAlone", {},
     {Frame(500, Shows(0, 0, 1)), Power(3), Frame(550, Shows(0, 0, 1)), Brake(2), Frame(601, Shows(3, 0, 1)),
      Frame(651, Shows(3, 2, 1))}},
    {"PowerMovementLeavesTheBrakeWindowAlone", {},
     {Frame(500, Shows(0, 0, 1)), Brake(2), Frame(550, Shows(0, 0, 1)), Power(3), Frame(601, Shows(0, 2, 1)),
      Frame(651, Shows(3, 2, 1))}},
    {"ZeroLagShowsAtTheFirstLaterFrame", {.NotchLag = 0},
     {Frame(500, Shows(0, 0, 1)), Power(3), Brake(1), Frame(500, Shows(0, 0, 1)), Frame(501, Shows(3, 1, 1))}},
    {"NegativeLagShowsAtTheNextFrame", {.NotchLag = -10},
     {Frame(500, Shows(0, 0, 1)), Power(3), Frame(500, Shows(3, 0, 1)), Power(4), Frame(489, Shows(3, 0, 1)),
      Frame(491, Shows(4, 0, 1))}},
    {"TimeGoingBackwardsHoldsTheOldNumber", {},
     {Frame(1000, Shows(0, 0, 1)), Power(3), Frame(20, Shows(0, 0, 1)), Frame(1100, Shows(0, 0, 1)),
      Frame(1101, Shows(3, 0, 1))}},
    {"InitializeReleasesBothNumbersAtOnce", {},
     {Frame(1000, Shows(0, 0, 1)), Power(3), Brake(4), Frame(20, Shows(0, 0, 1)), Init(), Frame(30, Shows(3, 4, 1))}},
    {"InitializeReleasesOnlyAtFramesAboveZero", {},
     {Frame(1000, Shows(0, 0, 1)), Power(3), Init(), Frame(0, Shows(0, 0, 1)), Frame(1, Shows(3, 0, 1))}},
    {"FramesAtZeroOrBelowKeepTheInitialNumbers", {.HoldingSpeedNotchCount = 2},
     {Frame(0, Shows(0, 0, 1)), Frame(-5, Shows(0, 0, 1)), Frame(1, Shows(2, 0, 1))}},
    {"HoldingSpeedNotchesShiftThePowerNumberOnly", {.HoldingSpeedNotchCount = 2},
     {Frame(1, Shows(2, 0, 1)), Power(3), Brake(3), Frame(102, Shows(5, 3, 1))}},
    {"ReverserFollowsAtOncePlusOne", {},
     {Frame(500, Shows(0, 0, 1)), Reverser(-1), Frame(500, Shows(0, 0, 0)), Reverser(1), Frame(501, Shows(0, 0, 2)),
      Reverser(0), Frame(400, Shows(0, 0, 1))}},
    {"DueTimeWrapsPastTheLargestTime", {},
     {Frame(INT32_MAX - 50, Shows(0, 0, 1)), Power(3), Frame(INT32_MAX, Shows(3, 0, 1))}},
    {"DueTimeWrapsPastTheSmallestTime", {.NotchLag = -1},
     {Frame(INT32_MIN, Shows(0, 0, 1)), Brake(6), Frame(INT32_MIN + 1, Shows(0, 0, 1))}},
    {"SumsWrapAtTheLargestValues", {.HoldingSpeedNotchCount = INT32_MAX, .NotchLag = -1},
     {Power(1), Reverser(INT32_MAX), Frame(1, Shows(INT32_MIN, 0, INT32_MIN))}},
    {"DefaultSettingsWriteNothing", {-1, -1, -1, 0, 100},
     {Frame(1, {}), Power(3), Brake(2), Reverser(1), Frame(500, {})}},
    {"IndicesAtTheEndsOfThePanelAreWritten", {0, 255, -1, 0, 0},
     {Power(7), Brake(8), Frame(1, {{0, 7}, {255, 8}})}},
    {"IndicesOutsideThePanelAreNotWritten", {256, -2, INT32_MIN, 0, 0},
     {Power(7), Frame(1, {})}},
    {"LargestIndexSwitchesTheOutputOff", {INT32_MAX, 3, -1, 0, 0}, {Brake(1), Frame(1, {{3, 1}})}},
    {"BrakeWinsOverPowerAtTheSameIndex", {5, 5, -1, 0, 0}, {Power(1), Brake(2), Frame(1, {{5, 2}})}},
    {"ReverserWinsOverBrakeAtTheSameIndex", {-1, 5, 5, 0, 0}, {Brake(2), Reverser(1), Frame(1, {{5, 2}})}},
    {"ReverserWinsOverPowerAtTheSameIndex", {5, -1, 5, 0, 0}, {Power(1), Reverser(-1), Frame(1, {{5, 0}})}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.Name; }

class IndicatorTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        const Tuning& tuning = GetParam().Settings;
        GlobalSettings.PowerPanel = tuning.PowerPanel;
        GlobalSettings.BrakePanel = tuning.BrakePanel;
        GlobalSettings.ReverserPanel = tuning.ReverserPanel;
        GlobalSettings.HoldingSpeedNotchCount = tuning.HoldingSpeedNotchCount;
        GlobalSettings.NotchLag = tuning.NotchLag;
    }
    void TearDown() override { GlobalSettings = IndicatorSettings{}; }
};

TEST_P(IndicatorTest, PanelAndHandlesFollowTheCalls)
{
    IndicatorState indicator;
    HandleSet expectedHandles{0, 0, 0, 0};
    int frameNumber = 0;
    for (const Step& step : GetParam().Steps) {
        switch (step.What) {
        case Step::Power: indicator.SetPower(step.Value); expectedHandles.Power = step.Value; break;
        case Step::Brake: indicator.SetBrake(step.Value); expectedHandles.Brake = step.Value; break;
        case Step::Reverser: indicator.SetReverser(step.Value); expectedHandles.Reverser = step.Value; break;
        case Step::Init: indicator.Initialize(12345); break;
        case Step::Frame: {
            std::vector<int32_t> panel(PanelSpan, Untouched);
            std::vector<int32_t> expectedPanel(PanelSpan, Untouched);
            for (const auto& [index, value] : step.Writes)
                expectedPanel[static_cast<size_t>(index)] = value;
            VehicleState state{};
            state.Time = step.Value;
            const HandleSet handles = indicator.Elapse(state, panel.data(), nullptr);
            ++frameNumber;
            EXPECT_EQ(panel, expectedPanel) << "frame " << frameNumber << " at time " << step.Value;
            EXPECT_EQ(handles.Brake, expectedHandles.Brake) << "frame " << frameNumber;
            EXPECT_EQ(handles.Power, expectedHandles.Power) << "frame " << frameNumber;
            EXPECT_EQ(handles.Reverser, expectedHandles.Reverser) << "frame " << frameNumber;
            EXPECT_EQ(handles.Auxiliary, 0) << "frame " << frameNumber;
            break;
        }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, IndicatorTest, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.Name; });

TEST(IndicatorWithOutputsOff, AcceptsANullPanelArray)
{
    GlobalSettings = IndicatorSettings{};
    IndicatorState indicator;
    indicator.SetPower(2);
    VehicleState state{};
    state.Time = 1000;
    const HandleSet handles = indicator.Elapse(state, nullptr, nullptr);
    EXPECT_EQ(handles.Power, 2);
}

TEST(IndicatorSettingsRecord, HoldsTheDefaultsWhenConstructed)
{
    const IndicatorSettings settings;
    EXPECT_EQ(settings.PowerPanel, -1);
    EXPECT_EQ(settings.BrakePanel, -1);
    EXPECT_EQ(settings.ReverserPanel, -1);
    EXPECT_EQ(settings.HoldingSpeedNotchCount, 0);
    EXPECT_EQ(settings.NotchLag, 100);
    EXPECT_EQ(settings.DefaultPath, "./ATS.ini");
    EXPECT_EQ(settings.CurrentPath, "");
}

}  // namespace
