#pragma once

#include <cstdint>

// The profile-file (INI file) services the settings rely on. On Windows they
// are the system's own; elsewhere the project's profile-file code, which reads
// and writes files the way Windows does. Relative paths resolve against the
// process's working directory.
namespace platform {

// The integer that the key's value denotes in that section of the file, or
// defaultValue when the file, the section or the key is absent, or the key
// has an empty value.
int32_t ReadProfileInteger(const char* section, const char* key, int32_t defaultValue, const char* path);

// Stores text as the key's value, creating the file and the section when
// they are absent. Returns false when the file could not be written.
bool WriteProfileText(const char* section, const char* key, const char* text, const char* path);

// True when any file-system entry, a directory included, exists at exactly
// that path.
bool EntryExists(const char* path);

}  // namespace platform
