// Where the module looks for its settings file, and what a notification
// shows. Built twice: with the module-path message box off (the default) and
// on, VELTRAND_SHOW_MODULE_PATH telling which.

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "module.h"
#include "module_startup.h"

namespace {

#if !VELTRAND_SHOW_MODULE_PATH
struct PathCase {
    const char* Name;
    std::string ModulePath;
    std::optional<std::string> SettingsPath;
};

const PathCase PathCases[] = {
    {"Ordinary", "C:\\Trains\\Vehicle\\Veltrand.dll", "C:\\Trains\\Vehicle\\Veltrand.ini"},
    {"UpperCaseExtension", "C:\\TRAINS\\VELTRAND.DLL", "C:\\TRAINS\\VELTRAND.ini"},
    {"DllInAFolderName", "C:\\Trains\\my.dll.files\\Veltrand.dll", "C:\\Trains\\my.dll.files\\Veltrand.ini"},
    {"SharedObject", "/home/driver/vehicle/Veltrand.so", "/home/driver/vehicle/Veltrand.ini"},
    {"NoExtension", "C:\\Trains.v2\\Veltrand", "C:\\Trains.v2\\Veltrand.ini"},
    {"NameEndingInADot", "C:\\Trains\\Veltrand.", "C:\\Trains\\Veltrand.ini"},
    {"ForwardSlashes", "C:/Trains/a.b/Veltrand.dll", "C:/Trains/a.b/Veltrand.ini"},
    {"BareName", "Veltrand.dll", "Veltrand.ini"},
    {"Empty", "", std::nullopt},
    {"OneShortOfTheBuffer", "C:\\" + std::string(ModulePathLimit - 8, 'v') + ".dll",
     "C:\\" + std::string(ModulePathLimit - 8, 'v') + ".ini"},
    {"FillsTheBuffer", "C:\\" + std::string(ModulePathLimit - 7, 'v') + ".dll", std::nullopt},
};

class SettingsPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(SettingsPathTest, DerivedFromTheModuleFileName)
{
    EXPECT_EQ(SettingsPathFor(GetParam().ModulePath), GetParam().SettingsPath);
}

INSTANTIATE_TEST_SUITE_P(Paths, SettingsPathTest, testing::ValuesIn(PathCases),
                         [](const testing::TestParamInfo<PathCase>& info) { return info.param.Name; });

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.ModulePath; }
#endif

struct Shown {
    void* Owner;
    std::string Text;
    std::string Caption;
    uint32_t Style;
};
std::vector<Shown> shown;

TEST(ModuleNotification, ShowsTheModulePathOnlyWhenBuiltTo)
{
    platform::ShowMessageBox = [](void* owner, const char* text, const char* caption, uint32_t style) {
        shown.push_back({owner, text, caption, style});
    };
    char path[ModulePathLimit + 1] = {};
    platform::ModuleFileName(nullptr, path, ModulePathLimit);
    int handle = 0;
    EXPECT_EQ(OnModuleNotification(&handle, ThreadAttach, nullptr), 1);
    std::remove(SettingsPathFor(path).value().c_str());  // created beside this test program
    if (!VELTRAND_SHOW_MODULE_PATH) {
        EXPECT_TRUE(shown.empty());
        return;
    }
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Owner, &handle);
    EXPECT_EQ(shown[0].Text, path);
    EXPECT_EQ(shown[0].Caption, "");
    EXPECT_EQ(shown[0].Style, 0u);
}

}  // namespace
