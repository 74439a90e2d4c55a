// Loading and saving the settings record against real files in a temporary
// folder.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "settings_file.h"

namespace {

namespace fs = std::filesystem;

using Values = std::array<int32_t, 5>;  // PowerPanel, BrakePanel, ReverserPanel, HoldingSpeedNotchCount, NotchLag

Values ValuesOf(const IndicatorSettings& settings)
{
    return {settings.PowerPanel, settings.BrakePanel, settings.ReverserPanel, settings.HoldingSpeedNotchCount,
            settings.NotchLag};
}

std::string Read(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::path(testing::TempDir()) / "settings-file-test";
        fs::remove_all(folder);
        fs::create_directories(folder);
        previous = fs::current_path();
        fs::current_path(folder);
    }
    void TearDown() override { fs::current_path(previous); }

    fs::path folder;
    fs::path previous;
};

struct LoadCase {
    const char* Name;
    const char* File;  // null: no file
    bool Loaded;
    Values Expected;
};

const LoadCase LoadCases[] = {
    {"MissingFileChangesNothing", nullptr, false, {1, 2, 3, 4, 5}},
    {"FullFileReplacesEveryValue",
     "[DATA]\r\nPowerPanel=10\r\nBrakePanel=11\r\nReverserPanel=12\r\nHoldingSpeedNotchCount=2\r\nNotchLag=-5\r\n", true,
     {10, 11, 12, 2, -5}},
    {"OnlyNotchLagChangesOnlyNotchLag", "[DATA]\nNotchLag=250\n", true, {1, 2, 3, 4, 250}},
    {"OtherSectionChangesNothing", "[OTHER]\nNotchLag=250\n", true, {1, 2, 3, 4, 5}},
    {"EmptyFileChangesNothing", "", true, {1, 2, 3, 4, 5}},
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.Name; }

class LoadFromTest : public SettingsFileTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadFromTest, KeysPresentReplaceTheirFieldsOnly)
{
    const LoadCase& c = GetParam();
    const fs::path path = folder / "Veltrand.ini";
    if (c.File)
        std::ofstream(path, std::ios::binary) << c.File;
    IndicatorSettings settings;
    settings.PowerPanel = 1, settings.BrakePanel = 2, settings.ReverserPanel = 3;
    settings.HoldingSpeedNotchCount = 4, settings.NotchLag = 5;
    EXPECT_EQ(settings.LoadFrom(path.string()), c.Loaded);
    EXPECT_EQ(ValuesOf(settings), c.Expected);
    EXPECT_EQ(settings.CurrentPath, path.string());
}

INSTANTIATE_TEST_SUITE_P(Files, LoadFromTest, testing::ValuesIn(LoadCases),
                         [](const testing::TestParamInfo<LoadCase>& info) { return info.param.Name; });

TEST_F(SettingsFileTest, EmptyPathLoadsTheDefaultPath)
{
    IndicatorSettings settings;
    EXPECT_FALSE(settings.LoadFrom(""));
    EXPECT_EQ(settings.CurrentPath, "./ATS.ini");
    EXPECT_EQ(ValuesOf(settings), (Values{-1, -1, -1, 0, 100}));

    std::ofstream("ATS.ini", std::ios::binary) << "[DATA]\nPowerPanel=10\n";
    const IndicatorSettings constructed{std::string()};
    EXPECT_EQ(ValuesOf(constructed), (Values{10, -1, -1, 0, 100}));
    EXPECT_EQ(constructed.CurrentPath, "./ATS.ini");
}

TEST_F(SettingsFileTest, DefaultsAreWrittenInKeyOrder)
{
    IndicatorSettings settings;
    EXPECT_TRUE(settings.SaveTo((folder / "new.ini").string()));
    EXPECT_EQ(Read(folder / "new.ini"),
              "[DATA]\r\nPowerPanel=-1\r\nBrakePanel=-1\r\nReverserPanel=-1\r\nHoldingSpeedNotchCount=0\r\n"
              "NotchLag=100\r\n");
}

TEST_F(SettingsFileTest, SaveThenLoadKeepsEveryValueNegativesIncluded)
{
    IndicatorSettings saved;
    saved.PowerPanel = -1, saved.BrakePanel = INT32_MIN, saved.ReverserPanel = 255;
    saved.HoldingSpeedNotchCount = -3, saved.NotchLag = INT32_MAX;
    const std::string path = (folder / "round.ini").string();
    EXPECT_TRUE(saved.SaveTo(path));
    IndicatorSettings loaded;
    EXPECT_TRUE(loaded.LoadFrom(path));
    EXPECT_EQ(ValuesOf(loaded), ValuesOf(saved));
}

TEST_F(SettingsFileTest, EmptyPathSavesToTheLastLoadedPathWhetherOrNotItExisted)
{
    IndicatorSettings settings;
    const std::string path = (folder / "later.ini").string();
    EXPECT_FALSE(settings.LoadFrom(path));
    settings.NotchLag = 7;
    EXPECT_TRUE(settings.SaveTo(""));
    EXPECT_EQ(settings.CurrentPath, path);
    IndicatorSettings loaded;
    EXPECT_TRUE(loaded.LoadFrom(path));
    EXPECT_EQ(loaded.NotchLag, 7);
}

TEST_F(SettingsFileTest, SaveIntoAMissingFolderAnswersFalse)
{
    IndicatorSettings settings;
    EXPECT_FALSE(settings.SaveTo((folder / "no-such-folder" / "Veltrand.ini").string()));
    EXPECT_FALSE(fs::exists(folder / "no-such-folder"));
}

TEST_F(SettingsFileTest, ADirectoryLoadsButChangesNothing)
{
    fs::create_directories(folder / "Veltrand.ini");
    IndicatorSettings settings;
    EXPECT_TRUE(settings.LoadFrom((folder / "Veltrand.ini").string()));
    EXPECT_EQ(ValuesOf(settings), (Values{-1, -1, -1, 0, 100}));
}

}  // namespace
