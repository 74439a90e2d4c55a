#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Profile-file contents read and updated the way the Windows profile
// functions treat them, for platforms that have none. A file is a sequence of
// lines ending in LF, CRLF or CR:
//   [Section]      a section header; it ends at its first ']'
//   Key=Value      a key of the section above it
//   ; text         a comment (only where ';' is the first non-blank character)
// Section and key names match without regard to ASCII letter case or to the
// blanks and tabs around them, in the file and in the names asked for; the
// first matching section and, in it, the first matching key win. A file may
// start with a UTF-8 or a UTF-16LE byte-order mark. Any bytes are safe input,
// and the work is linear in the size of the file.
namespace profile {

// How many characters of a value an integer is read from; later ones are
// ignored, as the Windows profile functions read into a buffer of this size.
constexpr size_t IntegerValueLimit = 29;

// What the Windows integer lookup answers for this file content: the key's
// value read as an integer (see ParseInteger), or defaultValue when the
// section or the key is absent, or the key has no '=' or an empty value.
int32_t ReadInt(std::string_view file, std::string_view section, std::string_view key, int32_t defaultValue);

// A value text read as an integer: leading blanks and control characters
// skipped, an optional '+' or '-', an optional lower-case "0x", "0o" or "0b"
// prefix, then the digits of that base up to the first other character,
// wrapping modulo 2^32. A text with no digits reads as 0.
int32_t ParseInteger(std::string_view text);

// The file content with the key set to value. An existing key keeps its line
// and gets the new value in place of the old; a new key goes on a line after
// the last key of its section; a new section goes at the end. New lines use
// the file's own line ending (CRLF in a file that has none yet), and every
// other line is kept byte for byte. Names are written without the blanks
// around them.
std::string WriteString(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

}  // namespace profile
