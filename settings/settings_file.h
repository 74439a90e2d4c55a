#pragma once

#include <cstdint>
#include <string>

#include "indicator_settings.h"

// The section of the settings file that holds the five keys.
constexpr const char* SettingsSection = "DATA";

// One key of the settings file and the field it fills. The key texts carry
// the trailing blanks the module has always written; the profile functions
// ignore blanks around names, so a hand-typed "PowerPanel=12" matches too.
struct SettingsKey {
    const char* Text;
    int32_t IndicatorSettings::*Field;
};

constexpr SettingsKey SettingsKeys[] = {
    {"PowerPanel       ", &IndicatorSettings::PowerPanel},
    {"BrakePanel       ", &IndicatorSettings::BrakePanel},
    {"ReverserPanel    ", &IndicatorSettings::ReverserPanel},
    {"HoldingSpeedNotchCount", &IndicatorSettings::HoldingSpeedNotchCount},
    {"NotchLag         ", &IndicatorSettings::NotchLag},
};

// Reads or writes one key: ReadIntKey or WriteIntKey with the field.
bool TransferKey(Direction direction, const std::string& path, const char* section, const char* key, int32_t& field);

// Sets the field to the key's integer value, the field's current value
// standing in for an absent key. Always true.
bool ReadIntKey(const std::string& path, const char* section, const char* key, int32_t& field);

// Writes the value as decimal text, as "%d" renders it. False when the file
// could not be written.
bool WriteIntKey(const std::string& path, const char* section, const char* key, int32_t value);
