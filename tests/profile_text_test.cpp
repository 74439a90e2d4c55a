// The project's profile-file code against the shared table of cases, on
// the file content alone and through real files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "profile.h"
#include "profile_cases.h"
#include "profile_text.h"

// Cases show by name in test output.
void PrintTo(const ProfileCase& c, std::ostream* out) { *out << c.Name; }

namespace {

const std::vector<ProfileCase> Cases = LoadProfileCases(VELTRAND_PROFILE_CASES);

std::string Escaped(const std::string& bytes)
{
    std::ostringstream out;
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '\r') out << "\\r";
        else if (c == '\n') out << "\\n";
        else if (c < 0x20 || c >= 0x7F) out << "\\x" << std::hex << (c >> 4) << (c & 15) << std::dec;
        else out << c;
    }
    return out.str();
}

class ProfileTextTest : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileTextTest, ContentReadsAndWritesAsExpected)
{
    const ProfileCase& c = GetParam();
    std::string content = c.File.value_or("");
    for (const ProfileWrite& write : c.Writes)
        content = profile::WriteString(content, write.Section, write.Key, write.Value);
    if (c.Bytes) {
        EXPECT_EQ(Escaped(content), Escaped(*c.Bytes));
    }
    for (const ProfileRead& read : c.Reads)
        EXPECT_EQ(profile::ReadInt(content, read.Section, read.Key, read.Default), read.Expected)
            << "[" << read.Section << "] " << read.Key;
}

TEST_P(ProfileTextTest, FilesReadAndWriteAsExpected)
{
    const ProfileCase& c = GetParam();
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "profile-text-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "case.ini").string();
    if (c.File)
        std::ofstream(path, std::ios::binary) << *c.File;
    for (const ProfileWrite& write : c.Writes)
        ASSERT_TRUE(platform::WriteProfileText(write.Section.c_str(), write.Key.c_str(), write.Value.c_str(), path.c_str()));
    if (c.Bytes) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        EXPECT_EQ(Escaped(bytes.str()), Escaped(*c.Bytes));
    }
    for (const ProfileRead& read : c.Reads)
        EXPECT_EQ(platform::ReadProfileInteger(read.Section.c_str(), read.Key.c_str(), read.Default, path.c_str()),
                  read.Expected)
            << "[" << read.Section << "] " << read.Key;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), c.File || !c.Writes.empty() ? 1 : 0)
        << "a write leaves no temporary file behind";
}

std::string CaseName(const testing::TestParamInfo<ProfileCase>& info)
{
    std::string name;
    bool upper = true;
    for (char c : info.param.Name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Fixture, ProfileTextTest, testing::ValuesIn(Cases), CaseName);

TEST(ProfileFiles, WriteIntoAMissingFolderFailsAndCreatesNothing)
{
    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "profile-missing-folder";
    std::filesystem::remove_all(folder);
    const std::string path = (folder / "Veltrand.ini").string();
    EXPECT_FALSE(platform::WriteProfileText("DATA", "NotchLag", "1", path.c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(ProfileFiles, ADirectoryExistsButReadsAsTheDefault)
{
    const std::string folder = testing::TempDir();
    EXPECT_TRUE(platform::EntryExists(folder.c_str()));
    EXPECT_EQ(platform::ReadProfileInteger("DATA", "NotchLag", 77, folder.c_str()), 77);
    EXPECT_FALSE(platform::WriteProfileText("DATA", "NotchLag", "1", folder.c_str()));
}

TEST(ProfileText, LongLinesAndLargeFilesAreSafe)
{
    std::string file = "[DATA]\n" + std::string(100000, 'x') + "\n";
    for (int i = 0; i < 200000; ++i)
        file += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    file += "NotchLag=5";
    EXPECT_EQ(profile::ReadInt(file, "DATA", "NotchLag", 0), 5);
    const std::string written = profile::WriteString(file, "DATA", "PowerPanel", "3");
    EXPECT_EQ(written.size(), file.size() + std::string("\nPowerPanel=3\n").size());
    EXPECT_EQ(profile::ReadInt(written, "DATA", "PowerPanel", 0), 3);
}

}  // namespace
