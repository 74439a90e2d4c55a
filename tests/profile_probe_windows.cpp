// The shared table of profile-file cases answered by the Windows profile
// functions themselves (here: Wine's), so that any difference between them
// and this project's code shows as a failing case.
//
//   profile_probe CASES_FILE

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "profile_cases.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: profile_probe CASES_FILE\n");
        return 2;
    }
    // Known differences apply where the profile functions are Wine's.
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrand-profile-probe";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "case.ini").string();

    int failures = 0;
    const std::vector<ProfileCase> cases = LoadProfileCases(argv[1]);
    for (const ProfileCase& c : cases) {
        std::filesystem::remove(path);
        if (c.File)
            std::ofstream(path, std::ios::binary) << *c.File;
        for (const ProfileWrite& write : c.Writes)
            if (!WritePrivateProfileStringA(write.Section.c_str(), write.Key.c_str(), write.Value.c_str(), path.c_str())) {
                std::printf("FAIL [%s]: write of %s refused\n", c.Name.c_str(), write.Key.c_str());
                ++failures;
            }
        for (const ProfileRead& read : c.Reads) {
            const int32_t expected = wine && read.Wine ? *read.Wine : read.Expected;
            const auto actual = static_cast<int32_t>(
                GetPrivateProfileIntA(read.Section.c_str(), read.Key.c_str(), read.Default, path.c_str()));
            if (actual != expected) {
                std::printf("FAIL [%s]: [%s] '%s' read %d, expected %d\n", c.Name.c_str(), read.Section.c_str(),
                            read.Key.c_str(), actual, expected);
                ++failures;
            }
        }
    }
    std::filesystem::remove_all(folder);
    std::printf("%zu cases, %d failed reads\n", cases.size(), failures);
    return failures == 0 ? 0 : 1;
}
