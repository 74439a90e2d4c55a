#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A fresh vehicle folder in the temporary directory with a copy of the
// built module and, unless settings is null, its settings file. Returns the
// path of the copy, so that tests never load, or create settings beside, the
// module in the build tree.
inline std::string MakeTestVehicle(const std::string& name, const char* settings)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("veltrand-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path module = folder / fs::path(VELTRAND_MODULE_PATH).filename();
    fs::copy_file(VELTRAND_MODULE_PATH, module);
    if (settings != nullptr)
        std::ofstream(folder / (module.stem().string() + ".ini"), std::ios::binary) << settings;
    return module.string();
}
