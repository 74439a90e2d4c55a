#include "settings_file.h"

#include <charconv>

#include "profile.h"

IndicatorSettings::IndicatorSettings(const std::string& path) { LoadFrom(path); }

bool IndicatorSettings::LoadFrom(const std::string& path)
{
    CurrentPath = path.empty() ? DefaultPath : path;
    if (!platform::EntryExists(CurrentPath.c_str()))
        return false;
    Transfer(CurrentPath, Direction::Read);
    return true;
}

bool IndicatorSettings::SaveTo(const std::string& path)
{
    return Transfer(path.empty() ? CurrentPath : path, Direction::Write);
}

bool IndicatorSettings::Transfer(const std::string& path, Direction direction)
{
    bool ok = true;
    for (const SettingsKey& key : SettingsKeys)
        ok = TransferKey(direction, path, SettingsSection, key.Text, this->*key.Field) && ok;
    return ok;
}

bool TransferKey(Direction direction, const std::string& path, const char* section, const char* key, int32_t& field)
{
    if (direction == Direction::Read)
        return ReadIntKey(path, section, key, field);
    return WriteIntKey(path, section, key, ReadSetting(field));
}

bool ReadIntKey(const std::string& path, const char* section, const char* key, int32_t& field)
{
    StoreSetting(field, platform::ReadProfileInteger(section, key, ReadSetting(field), path.c_str()));
    return true;
}

bool WriteIntKey(const std::string& path, const char* section, const char* key, int32_t value)
{
    char text[16];
    const auto rendered = std::to_chars(text, text + sizeof text - 1, value);
    *rendered.ptr = '\0';
    return platform::WriteProfileText(section, key, text, path.c_str());
}
