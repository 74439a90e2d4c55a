#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Which way a transfer between the settings record and its file goes.
enum class Direction { Write = 0, Read = 1 };

// The plug-in's five tuning values and the settings-file paths that go with
// them. The field names are also the key names in the settings file, whose
// section "DATA" holds one signed decimal integer per key.
class IndicatorSettings {
public:
    static constexpr int32_t OutputOff = -1;  // a panel index that switches an output off

    int32_t PowerPanel = OutputOff;     // panel index of the shown power number
    int32_t BrakePanel = OutputOff;     // panel index of the shown brake number
    int32_t ReverserPanel = OutputOff;  // panel index of the reverser position plus one
    int32_t HoldingSpeedNotchCount = 0; // added to the power notch before it is shown
    int32_t NotchLag = 100;             // settle delay, in the host's time unit

    std::string DefaultPath = "./ATS.ini";  // loaded when loading is given an empty path
    std::string CurrentPath;                // the path most recently given to loading

    // The defaults above.
    IndicatorSettings() = default;

    // The defaults, then LoadFrom(path); a missing file leaves the defaults.
    explicit IndicatorSettings(const std::string& path);

    // Makes the path (DefaultPath when it is empty) the CurrentPath, then, if
    // any file-system entry exists there, reads every key present in its
    // "DATA" section into its field; absent keys leave their fields as they
    // were. Returns false, changing no value, when nothing exists there.
    bool LoadFrom(const std::string& path);

    // Writes all five values to the file at the path (CurrentPath when it is
    // empty), creating it when it is missing. CurrentPath does not change.
    // Returns false when any of the writes failed; every key is attempted.
    bool SaveTo(const std::string& path);

    // Reads or writes all five keys, in their fixed order. Reading always
    // succeeds; writing returns false when any write failed.
    bool Transfer(const std::string& path, Direction direction);
};

// The module's one settings record, alive for as long as the module is loaded.
extern IndicatorSettings GlobalSettings;

// The five values are rewritten in place when the settings file is re-read,
// possibly on another thread than the one running the indicator. These two
// accessors make every such read and write a relaxed atomic access: a plain
// move on x86, and no data race.
inline int32_t ReadSetting(const int32_t& field)
{
    return std::atomic_ref<int32_t>(const_cast<int32_t&>(field)).load(std::memory_order_relaxed);
}

inline void StoreSetting(int32_t& field, int32_t value)
{
    std::atomic_ref<int32_t>(field).store(value, std::memory_order_relaxed);
}
