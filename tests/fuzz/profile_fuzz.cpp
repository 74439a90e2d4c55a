// Fuzzes the profile-file code with arbitrary file bytes and names. Beyond
// not crashing, a number written under sane names must read back as written.
//
// Input: one byte giving the section name's length, the name, one byte for
// the key name's length, the key name, four bytes of the number, then the
// file content.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "profile_text.h"

namespace {

std::string_view Take(const uint8_t*& data, size_t& size, size_t count)
{
    count = count < size ? count : size;
    std::string_view taken(reinterpret_cast<const char*>(data), count);
    data += count;
    size -= count;
    return taken;
}

size_t TakeLength(const uint8_t*& data, size_t& size)
{
    const std::string_view byte = Take(data, size, 1);
    return byte.empty() ? 0 : static_cast<unsigned char>(byte[0]) % 24;
}

std::string_view Trimmed(std::string_view name)
{
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
        name.remove_prefix(1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    return name;
}

// Names that a profile file can hold on a line of their own.
bool IsSaneName(std::string_view name, std::string_view forbidden)
{
    name = Trimmed(name);
    return !name.empty() && name.find_first_of(forbidden) == std::string_view::npos && name.front() != ';' &&
           name.front() != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string section(Take(data, size, TakeLength(data, size)));
    const std::string key(Take(data, size, TakeLength(data, size)));
    int32_t number = 0;
    const std::string_view numberBytes = Take(data, size, sizeof number);
    std::memcpy(&number, numberBytes.data(), numberBytes.size());
    const std::string_view file(reinterpret_cast<const char*>(data), size);

    profile::ReadInt(file, section, key, 5);
    const std::string written = profile::WriteString(file, section, key, std::to_string(number));
    if (IsSaneName(section, std::string_view("]\r\n", 3)) && IsSaneName(key, std::string_view("=\r\n", 3)) &&
        profile::ReadInt(written, section, key, number ^ 1) != number)
        std::abort();
    return 0;
}
