// The built Linux module, loaded with dlopen and driven through its sixteen
// exports the way a host would.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host_module.h"
#include "plugin_api.h"
#include "test_vehicle.h"

namespace {

constexpr const char* OutputsOn = "[DATA]\nPowerPanel=10\nBrakePanel=11\nReverserPanel=12\nNotchLag=100\n";

class NativeModuleTest : public testing::Test {
protected:
    // Each test loads its own copy, so each starts from a freshly loaded module.
    explicit NativeModuleTest(const char* settings = nullptr)
        : module(MakeTestVehicle(testing::UnitTest::GetInstance()->current_test_info()->name(), settings))
    {
    }

    void SetUp() override
    {
        ASSERT_TRUE(module.IsLoaded()) << module.Error();
        ASSERT_EQ(ResolvePluginApi(module, api), "");
    }

    HandleSet Frame(int32_t time, int32_t* panel)
    {
        VehicleState state{};
        state.Time = time;
        return api.Elapse(state, panel, nullptr);
    }

    HostModule module;
    PluginApi api;
};

TEST_F(NativeModuleTest, AnswersTheVersionBeforeAndAfterOtherCalls)
{
    EXPECT_EQ(api.GetPluginVersion(), 0x00020000);
    api.Load();
    api.SetPower(1);
    Frame(10, nullptr);
    api.Dispose();
    EXPECT_EQ(api.GetPluginVersion(), 0x00020000);
}

TEST_F(NativeModuleTest, ElapseHandsBackTheLatestHandles)
{
    api.SetPower(4);
    api.SetBrake(-2);
    api.SetReverser(1);
    const HandleSet handles = Frame(100, nullptr);
    EXPECT_EQ(handles.Brake, -2);
    EXPECT_EQ(handles.Power, 4);
    EXPECT_EQ(handles.Reverser, 1);
    EXPECT_EQ(handles.Auxiliary, 0);
}

TEST_F(NativeModuleTest, InertEntryPointsChangeNothing)
{
    api.SetPower(3);
    api.SetBrake(1);
    std::vector<int32_t> panel(PanelElementCount, 77);
    const HandleSet before = Frame(200, panel.data());

    api.KeyDown(1);
    api.KeyUp(1);
    api.HornBlow(2);
    api.SetSignal(5);
    api.SetBeaconData(BeaconData{{1, 2, 3, 4}});
    api.SetVehicleSpec(VehicleSpec{{5, 1, 5, 0, 6}});
    api.DoorOpen();
    api.DoorClose();
    api.Load();
    api.Dispose();

    const HandleSet after = Frame(200, panel.data());
    EXPECT_EQ(after.Brake, before.Brake);
    EXPECT_EQ(after.Power, before.Power);
    EXPECT_EQ(after.Reverser, before.Reverser);
    EXPECT_EQ(panel, std::vector<int32_t>(PanelElementCount, 77)) << "the default settings write nothing";
}

class ConfiguredModuleTest : public NativeModuleTest {
protected:
    ConfiguredModuleTest() : NativeModuleTest(OutputsOn) {}
};

TEST_F(ConfiguredModuleTest, PanelFollowsTheHandlesAfterTheSettleDelay)
{
    std::vector<int32_t> panel(PanelElementCount, 77);
    Frame(500, panel.data());
    api.SetPower(3);
    api.SetBrake(2);
    api.SetReverser(1);
    const HandleSet handles = Frame(600, panel.data());
    EXPECT_EQ(handles.Power, 3);
    EXPECT_EQ(handles.Brake, 2);
    EXPECT_EQ(handles.Reverser, 1);
    EXPECT_EQ(panel[10], 0) << "power still settling";
    EXPECT_EQ(panel[11], 0) << "brake still settling";
    EXPECT_EQ(panel[12], 2) << "the reverser follows at once";
    Frame(601, panel.data());
    EXPECT_EQ(panel[10], 3);
    EXPECT_EQ(panel[11], 2);
    EXPECT_EQ(std::count(panel.begin(), panel.end(), 77), PanelElementCount - 3) << "only three elements written";
}

}  // namespace
