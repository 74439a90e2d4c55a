#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Cases for profile-file code, read from a fixture file of blocks like:
//
//   [hand-typed key without the padding blanks]
//   file     "[DATA]\r\nPowerPanel=12\r\n"
//   read     "DATA" "PowerPanel       " -1 -> 12
//
//   [a new key goes after the last key of its section]
//   file     "[DATA]\nA=1\n\n[Other]\n"
//   write    "DATA" "NotchLag         " "100"
//   bytes    "[DATA]\nA=1\nNotchLag=100\n\n[Other]\n"
//   read     "DATA" "NotchLag" 0 -> 100
//
// "file" is the starting content (no "file" line: no file at all); texts are
// quoted, with \r \n \t \0 \" \\ and \xHH escapes. "write" lines are applied in
// order, "bytes" is the exact content this project's code writes, and every
// "read" must answer as given, after the writes. "read ... -> 12 wine 0"
// records a case where Wine answers differently from Windows.
struct ProfileRead {
    std::string Section;
    std::string Key;
    int32_t Default;
    int32_t Expected;
    std::optional<int32_t> Wine;  // what Wine answers instead, where it differs
};

struct ProfileWrite {
    std::string Section;
    std::string Key;
    std::string Value;
};

struct ProfileCase {
    std::string Name;
    std::optional<std::string> File;
    std::vector<ProfileWrite> Writes;
    std::optional<std::string> Bytes;
    std::vector<ProfileRead> Reads;
};

// Parses a fixture file; on a malformed line throws std::runtime_error
// naming the line.
std::vector<ProfileCase> LoadProfileCases(const std::string& path);
