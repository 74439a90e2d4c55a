// The built Linux module, loaded with dlopen and driven through its sixteen
// exports the way a host would.

#include <gtest/gtest.h>

#include <vector>

#include "host_module.h"
#include "plugin_api.h"

namespace {

class NativeModuleTest : public testing::Test {
protected:
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

    HostModule module{VELTRAND_MODULE_PATH};
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

}  // namespace
