// Per-call cost of the module's hot entry points, called through function
// pointers into the loaded module as the host calls them, beside an empty
// call through the same kind of pointer; and the cost of reloading the
// settings file beside five bare open/read/close of the same file.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "host_module.h"
#include "indicator_settings.h"
#include "plugin_api.h"

namespace {

const std::filesystem::path Vehicle = std::filesystem::temp_directory_path() / "veltrand-bench";

const char* const TypicalSettings =
    "[DATA]\r\nPowerPanel=10\r\nBrakePanel=11\r\nReverserPanel=12\r\nHoldingSpeedNotchCount=1\r\nNotchLag=100\r\n";

// A copy of the module in its own folder, with all three outputs on.
const PluginApi& Api()
{
    static HostModule* module = [] {
        std::filesystem::create_directories(Vehicle);
        std::filesystem::copy_file(VELTRAND_MODULE_PATH, Vehicle / "Veltrand.so",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(Vehicle / "Veltrand.ini", std::ios::binary) << TypicalSettings;
        return new HostModule((Vehicle / "Veltrand.so").string());
    }();
    static PluginApi api = [] {
        PluginApi resolved;
        ResolvePluginApi(*module, resolved);
        return resolved;
    }();
    return api;
}

extern "C" HandleSet VELTRAND_CALL EmptyElapse(VehicleState, PanelArray, SoundArray) { return {}; }
decltype(&::Elapse) volatile emptyElapse = EmptyElapse;

void BM_EmptyCall(benchmark::State& state)
{
    int32_t panel[PanelElementCount] = {};
    VehicleState vehicle{};
    for (auto _ : state) {
        ++vehicle.Time;
        benchmark::DoNotOptimize(emptyElapse(vehicle, panel, nullptr));
        benchmark::ClobberMemory();
    }
}

void BM_Elapse(benchmark::State& state)
{
    const PluginApi& api = Api();
    int32_t panel[PanelElementCount] = {};
    VehicleState vehicle{};
    for (auto _ : state) {
        ++vehicle.Time;
        benchmark::DoNotOptimize(api.Elapse(vehicle, panel, nullptr));
        benchmark::ClobberMemory();
    }
    if (panel[10] == 0 && panel[12] == 0)
        state.SkipWithError("the module wrote no panel element");
}

void BM_SetPower(benchmark::State& state)
{
    const PluginApi& api = Api();
    int32_t notch = 0;
    for (auto _ : state)
        api.SetPower(++notch & 7);
}

std::string TypicalFile()
{
    std::filesystem::create_directories(Vehicle);
    const std::string path = (Vehicle / "typical.ini").string();
    std::ofstream(path, std::ios::binary) << TypicalSettings;
    return path;
}

void BM_LoadFrom(benchmark::State& state)
{
    const std::string path = TypicalFile();
    IndicatorSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(settings.LoadFrom(path));
    if (settings.NotchLag != 100 || settings.PowerPanel != 10)
        state.SkipWithError("the file did not load");
}

void BM_FiveBareReads(benchmark::State& state)
{
    const std::string path = TypicalFile();
    char block[4096];
    for (auto _ : state)
        for (int i = 0; i < 5; ++i) {
            const int file = open(path.c_str(), O_RDONLY);
            benchmark::DoNotOptimize(read(file, block, sizeof block));
            close(file);
        }
}

BENCHMARK(BM_EmptyCall);
BENCHMARK(BM_Elapse);
BENCHMARK(BM_SetPower);
BENCHMARK(BM_LoadFrom);
BENCHMARK(BM_FiveBareReads);

// Prints each figure beside its baseline once the run is over.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            nanoseconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        PrintRatio("BM_Elapse", "BM_EmptyCall", 2.0);
        PrintRatio("BM_SetPower", "BM_EmptyCall", 2.0);
        PrintRatio("BM_LoadFrom", "BM_FiveBareReads", 3.0);
    }

private:
    void PrintRatio(const std::string& name, const std::string& baseline, double target)
    {
        if (nanoseconds_.count(name) == 0 || nanoseconds_.count(baseline) == 0)
            return;
        const double ratio = nanoseconds_[name] / nanoseconds_[baseline];
        std::printf("%-12s %9.1f ns/call  %5.2fx %s (target %.0fx)\n", name.c_str() + 3, nanoseconds_[name], ratio,
                    baseline.c_str() + 3, target);
    }
    std::map<std::string, double> nanoseconds_;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::filesystem::remove_all(Vehicle);
    return 0;
}
