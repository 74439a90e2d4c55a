// Loads copies of the built module the way a host does, on the real loader,
// and checks where the module takes its settings from and which files it
// reads, creates or leaves alone. Built for Linux and for Windows; the thread
// cases need the Windows loader's thread notifications.
//
//   startup_host MODULE SCRATCH_FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "host_module.h"
#include "plugin_api.h"

namespace fs = std::filesystem;

namespace {

int failures = 0;

void Check(bool ok, const std::string& what)
{
    if (!ok) {
        ++failures;
        std::printf("FAIL: %s\n", what.c_str());
    }
}

std::string Read(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// The keys of a settings file in file order, names and values trimmed.
std::vector<std::pair<std::string, std::string>> Keys(const std::string& text)
{
    std::vector<std::pair<std::string, std::string>> keys;
    std::istringstream lines(text);
    auto trim = [](std::string s) {
        s.erase(0, s.find_first_not_of(" \t\r"));
        s.erase(s.find_last_not_of(" \t\r") + 1);
        return s;
    };
    for (std::string line; std::getline(lines, line);)
        if (const size_t equals = line.find('='); equals != std::string::npos)
            keys.emplace_back(trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
    return keys;
}

// The keys of a file created from the defaults, with the given PowerPanel.
std::vector<std::pair<std::string, std::string>> DefaultKeys(const std::string& powerPanel = "-1")
{
    return {{"PowerPanel", powerPanel}, {"BrakePanel", "-1"}, {"ReverserPanel", "-1"}, {"HoldingSpeedNotchCount", "0"},
            {"NotchLag", "100"}};
}

// A vehicle folder with a copy of the module, and a working directory.
struct Vehicle {
    fs::path Folder;
    fs::path Module;
    fs::path Settings;
    fs::path WorkingDirectory;
};

fs::path scratch;
fs::path builtModule;

Vehicle MakeVehicle(const std::string& name, const std::string& folder = "vehicle", std::string moduleName = "")
{
    if (moduleName.empty())
        moduleName = builtModule.filename().string();
    Vehicle vehicle;
    const fs::path root = scratch / name;
    fs::remove_all(root);
    vehicle.Folder = root / folder;
    vehicle.WorkingDirectory = root / "host";
    fs::create_directories(vehicle.Folder);
    fs::create_directories(vehicle.WorkingDirectory);
    vehicle.Module = vehicle.Folder / moduleName;
    vehicle.Settings = vehicle.Folder / (vehicle.Module.stem().string() + ".ini");
    fs::copy_file(builtModule, vehicle.Module);
    return vehicle;
}

// The panel elements one frame writes: index to value.
std::map<int32_t, int32_t> Frame(const PluginApi& api)
{
    constexpr int32_t untouched = 0x5EED5EED;
    std::vector<int32_t> panel(PanelElementCount, untouched);
    VehicleState state{};
    state.Time = 1000;
    api.Elapse(state, panel.data(), nullptr);
    std::map<int32_t, int32_t> written;
    for (int32_t i = 0; i < PanelElementCount; ++i)
        if (panel[static_cast<size_t>(i)] != untouched)
            written[i] = panel[static_cast<size_t>(i)];
    return written;
}

// Loads the vehicle's module with the working directory set as a host would.
class Loaded {
public:
    explicit Loaded(const Vehicle& vehicle) : module_(EnterWorkingDirectory(vehicle))
    {
        Check(module_.IsLoaded(), "load " + vehicle.Module.string() + ": " + module_.Error());
        Check(module_.IsLoaded() && ResolvePluginApi(module_, api_).empty(), "resolve the entry points");
    }
    ~Loaded() { fs::current_path(scratch); }
    bool Ok() const { return api_.Elapse != nullptr; }
    const PluginApi& Api() const { return api_; }
    void Unload() { module_.Unload(); }

private:
    // Changes to the vehicle's working directory before the module loads, and
    // answers the module's path.
    static std::string EnterWorkingDirectory(const Vehicle& vehicle)
    {
        fs::current_path(vehicle.WorkingDirectory);
        return vehicle.Module.string();
    }

    HostModule module_;
    PluginApi api_;
};

void NeitherFileCreatesTheDefaults()
{
    const Vehicle vehicle = MakeVehicle("neither");
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    Check(Frame(loaded.Api()).empty(), "neither file: the defaults write nothing");
    Check(Keys(Read(vehicle.Settings)) == DefaultKeys(), "neither file: the new settings file holds the defaults in key order");
    const std::string created = Read(vehicle.Settings);
    loaded.Unload();
    Check(Read(vehicle.Settings) == created, "neither file: unloading writes nothing");
}

void WorkingDirectoryFileSeedsTheNewFile()
{
    const Vehicle vehicle = MakeVehicle("ats-only");
    const std::string ats = "[DATA]\r\nPowerPanel=10\r\n";
    Write(vehicle.WorkingDirectory / "ATS.ini", ats);
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    Check(Frame(loaded.Api()) == std::map<int32_t, int32_t>{{10, 0}}, "ATS.ini only: PowerPanel 10 in memory");
    Check(Keys(Read(vehicle.Settings)) == DefaultKeys("10"), "ATS.ini only: the new file holds 10 and the defaults");
    Check(Read(vehicle.WorkingDirectory / "ATS.ini") == ats, "ATS.ini only: ATS.ini is untouched");
}

void ModuleFileKeysWinAndNothingIsWritten()
{
    const Vehicle vehicle = MakeVehicle("both");
    Write(vehicle.WorkingDirectory / "ATS.ini", "[DATA]\nPowerPanel=10\nBrakePanel=11\n");
    const std::string own = "; no NotchLag here\n[DATA]\nPowerPanel=20\n";
    Write(vehicle.Settings, own);
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    Check(Frame(loaded.Api()) == std::map<int32_t, int32_t>{{20, 0}, {11, 0}},
          "both files: the module file's key wins, a missing one keeps the ATS.ini value");
    Check(Read(vehicle.Settings) == own, "both files: the module file is not written or extended");
    loaded.Unload();
    Check(Read(vehicle.Settings) == own, "both files: unloading writes nothing");
}

// Unloading sends one more notification, while the settings still live: a
// settings file removed during the run is created again from memory.
void UnloadingNotifiesWhileTheSettingsLive()
{
    const Vehicle vehicle = MakeVehicle("unload");
    Write(vehicle.Settings, "[DATA]\nPowerPanel=20\n");
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    fs::remove(vehicle.Settings);
    loaded.Unload();
    Check(Keys(Read(vehicle.Settings)) == DefaultKeys("20"), "unloading: the last notification recreates the file from memory");
}

void SettingsFileIsFoundBesideAnyModuleName()
{
    std::string upper = builtModule.filename().string();
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Vehicle vehicle = MakeVehicle("odd-names", "my.dll.files", upper);
    Write(vehicle.Settings, "[DATA]\nReverserPanel=30\n");
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    Check(Frame(loaded.Api()) == std::map<int32_t, int32_t>{{30, 1}},
          "a folder named .dll and an upper-case module name: the settings beside the module are read");
}

#ifdef _WIN32
DWORD WINAPI Nothing(void*) { return 0; }

void EditsTakeEffectAtTheNextThreadStart()
{
    const Vehicle vehicle = MakeVehicle("edit");
    Write(vehicle.Settings, "[DATA]\nPowerPanel=20\n");
    Loaded loaded(vehicle);
    if (!loaded.Ok())
        return;
    Write(vehicle.Settings, "[DATA]\nPowerPanel=30\n");
    Check(Frame(loaded.Api()) == std::map<int32_t, int32_t>{{20, 0}}, "an edit is not seen before a notification");
    HANDLE thread = CreateThread(nullptr, 0, Nothing, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    Check(Frame(loaded.Api()) == std::map<int32_t, int32_t>{{30, 0}}, "an edit is seen after a thread start");
}
#endif

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_host MODULE SCRATCH_FOLDER\n");
        return 2;
    }
    builtModule = fs::absolute(argv[1]);
    scratch = fs::absolute(argv[2]);
    fs::create_directories(scratch);
    fs::current_path(scratch);

    NeitherFileCreatesTheDefaults();
    WorkingDirectoryFileSeedsTheNewFile();
    ModuleFileKeysWinAndNothingIsWritten();
    SettingsFileIsFoundBesideAnyModuleName();
    UnloadingNotifiesWhileTheSettingsLive();
#ifdef _WIN32
    EditsTakeEffectAtTheNextThreadStart();
#endif
    std::printf("%s\n", failures == 0 ? "module start-up behaves as expected" : "module start-up checks failed");
    return failures == 0 ? 0 : 1;
}
