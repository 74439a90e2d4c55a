// A settings reload on one thread while another runs frames, as a thread
// notification does while the host is inside Elapse. Under ThreadSanitizer
// any unsynchronised access to the five values fails this test.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "indicator_settings.h"
#include "notch_indicator.h"

TEST(SettingsReload, RacesWithNoFrame)
{
    const std::string path = (std::filesystem::path(testing::TempDir()) / "race.ini").string();
    std::ofstream(path, std::ios::binary) << "[DATA]\nPowerPanel=10\nBrakePanel=11\nReverserPanel=12\nNotchLag=0\n";

    std::atomic<bool> done{false};
    std::thread reloader([&] {
        for (int i = 0; i < 200; ++i)
            GlobalSettings.LoadFrom(path);
        done = true;
    });
    int32_t panel[PanelElementCount] = {};
    VehicleState state{};
    while (!done) {
        ++state.Time;
        Indicator.SetPower(state.Time & 3);
        Indicator.Elapse(state, panel, nullptr);
    }
    reloader.join();
    Indicator.Elapse(state, panel, nullptr);
    EXPECT_EQ(panel[12], 1);
}
