// veltrand-drive: loads a plug-in module and plays a scenario against it the
// way the host simulator would, then prints what the module returned and
// wrote into the panel array.

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "host_module.h"
#include "plugin_api.h"
#include "report.h"
#include "scenario.h"
#include "svg_chart.h"

namespace {

constexpr int ExitRunFailed = 1;
constexpr int ExitUsage = 2;

const char* const Usage =
    "usage: veltrand-drive [--all | --csv] [--svg FILE] MODULE SCENARIO\n"
    "  MODULE    the plug-in module to load (Veltrand.dll or Veltrand.so)\n"
    "  SCENARIO  a scenario file: 'frames FROM TO step STEP' and 'at TIME EVENT' lines\n"
    "  --all     print every frame, not only those at which something changed\n"
    "  --csv     print every frame as comma-separated values\n"
    "  --svg F   also write a step chart of the handles and panel elements to F\n";

struct Options {
    bool AllFrames = false;
    bool Csv = false;
    std::string SvgPath;
    std::string ModulePath;
    std::string ScenarioPath;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--all")
            options.AllFrames = true;
        else if (argument == "--csv")
            options.Csv = true;
        else if (argument == "--svg" && i + 1 < argc)
            options.SvgPath = argv[++i];
        else if (!argument.empty() && argument[0] == '-')
            return false;
        else if (positional == 0 && ++positional)
            options.ModulePath = argument;
        else if (positional == 1 && ++positional)
            options.ScenarioPath = argument;
        else
            return false;
    }
    return positional == 2;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << Usage;
        return ExitUsage;
    }

    std::ifstream scenarioFile(options.ScenarioPath, std::ios::binary);
    if (!scenarioFile) {
        std::cerr << "veltrand-drive: cannot read " << options.ScenarioPath << "\n";
        return ExitUsage;
    }
    std::ostringstream text;
    text << scenarioFile.rdbuf();
    Scenario scenario;
    std::string error;
    if (!ParseScenario(text.str(), options.ScenarioPath, scenario, error)) {
        std::cerr << "veltrand-drive: " << error << "\n";
        return ExitUsage;
    }

    // An absolute path, so that the loader takes exactly this file and does
    // not search for one of the same name elsewhere.
    HostModule module(std::filesystem::absolute(options.ModulePath).string());
    if (!module.IsLoaded()) {
        std::cerr << "veltrand-drive: cannot load " << options.ModulePath << ": " << module.Error() << "\n";
        return ExitRunFailed;
    }
    PluginApi api;
    if (std::string missing = ResolvePluginApi(module, api); !missing.empty()) {
        std::cerr << "veltrand-drive: " << options.ModulePath << " does not export the entry point " << missing << "\n";
        return ExitRunFailed;
    }

    const RunResult run = RunScenario(scenario, api);
    module.Unload();
    if (options.Csv)
        WriteCsv(std::cout, run);
    else
        WriteTable(std::cout, run, options.AllFrames);
    if (!options.SvgPath.empty()) {
        std::ofstream svg(options.SvgPath, std::ios::binary);
        WriteSvg(svg, run);
        if (!svg) {
            std::cerr << "veltrand-drive: cannot write " << options.SvgPath << "\n";
            return ExitRunFailed;
        }
    }
    if (run.SoundTouched) {
        std::cerr << "veltrand-drive: the module wrote into the sound array\n";
        return ExitRunFailed;
    }
    return 0;
}
