#include "profile_text.h"

#include <optional>

namespace profile {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16Mark = "\xFF\xFE";

bool IsBlank(char32_t c) { return c == ' ' || c == '\t'; }
bool IsBreak(char32_t c) { return c == '\r' || c == '\n'; }

char32_t FoldCase(char32_t c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

std::string_view TrimmedName(std::string_view name)
{
    while (!name.empty() && IsBlank(static_cast<unsigned char>(name.front())))
        name.remove_prefix(1);
    while (!name.empty() && IsBlank(static_cast<unsigned char>(name.back())))
        name.remove_suffix(1);
    return name;
}

// One line of the file: its characters run from Begin to End, its line
// break (if any) from End to Next.
struct Line {
    size_t Begin;
    size_t End;
    size_t Next;
};

template <typename Char>
class Text {
public:
    explicit Text(std::basic_string_view<Char> units) : units_(units) {}

    size_t Size() const { return units_.size(); }
    char32_t At(size_t i) const { return static_cast<char32_t>(static_cast<std::make_unsigned_t<Char>>(units_[i])); }

    Line LineAt(size_t begin) const
    {
        size_t end = begin;
        while (end < Size() && !IsBreak(At(end)))
            ++end;
        size_t next = end;
        if (next < Size())
            next += (At(next) == '\r' && next + 1 < Size() && At(next + 1) == '\n') ? 2u : 1u;
        return {begin, end, next};
    }

    size_t SkipBlanks(size_t i, size_t end) const
    {
        while (i < end && IsBlank(At(i)))
            ++i;
        return i;
    }

    size_t TrimBlanks(size_t begin, size_t end) const
    {
        while (end > begin && IsBlank(At(end - 1)))
            --end;
        return end;
    }

    size_t Find(char32_t c, size_t begin, size_t end) const
    {
        while (begin < end && At(begin) != c)
            ++begin;
        return begin;
    }

    // Whether the file's characters from begin to end, blanks around them
    // ignored, are the name, blanks around it ignored, in any letter case.
    bool NameIs(size_t begin, size_t end, std::string_view name) const
    {
        begin = SkipBlanks(begin, end);
        end = TrimBlanks(begin, end);
        name = TrimmedName(name);
        if (end - begin != name.size())
            return false;
        for (size_t i = 0; i < name.size(); ++i)
            if (FoldCase(At(begin + i)) != FoldCase(static_cast<unsigned char>(name[i])))
                return false;
        return true;
    }

private:
    std::basic_string_view<Char> units_;
};

// Where a key stands in a file, found in one pass over its lines.
struct Location {
    bool SectionFound = false;
    size_t InsertAt = 0;           // after the last key of the section, or after its header
    bool InsertNeedsBreak = false; // that line has no line break of its own
    bool KeyFound = false;
    bool HasValue = false;         // the key's line has an '='
    size_t ReplaceBegin = 0;       // the characters a new value replaces
    size_t ReplaceEnd = 0;
};

template <typename Char>
Location Locate(const Text<Char>& text, std::string_view section, std::string_view key)
{
    Location where;
    bool inSection = false;
    for (size_t begin = 0; begin < text.Size();) {
        const Line line = text.LineAt(begin);
        begin = line.Next;
        const size_t first = text.SkipBlanks(line.Begin, line.End);
        if (first == line.End || text.At(first) == ';')
            continue;
        if (text.At(first) == '[') {
            const size_t close = text.Find(']', first + 1, line.End);
            if (close != line.End) {
                if (inSection)
                    break;
                if (!where.SectionFound && text.NameIs(first + 1, close, section)) {
                    where.SectionFound = inSection = true;
                    where.InsertAt = line.Next;
                    where.InsertNeedsBreak = line.Next == line.End;
                }
                continue;
            }
        }
        if (!inSection)
            continue;
        where.InsertAt = line.Next;
        where.InsertNeedsBreak = line.Next == line.End;
        const size_t equals = text.Find('=', first, line.End);
        if (text.NameIs(first, equals, key)) {
            where.KeyFound = true;
            where.HasValue = equals != line.End;
            if (where.HasValue) {
                where.ReplaceBegin = text.SkipBlanks(equals + 1, line.End);
                where.ReplaceEnd = text.TrimBlanks(where.ReplaceBegin, line.End);
            } else {
                where.ReplaceBegin = where.ReplaceEnd = text.TrimBlanks(first, line.End);
            }
            break;
        }
    }
    return where;
}

// The key's value as Windows hands it to its integer reader: one pair of
// matching outer quotes removed, cut to IntegerValueLimit characters.
// Characters outside one byte become '?', which is no digit.
template <typename Char>
std::optional<std::string> ValueOf(const Text<Char>& text, std::string_view section, std::string_view key)
{
    const Location where = Locate(text, section, key);
    if (!where.KeyFound || !where.HasValue)
        return std::nullopt;
    size_t begin = where.ReplaceBegin;
    size_t end = where.ReplaceEnd;
    if (end - begin >= 2 && (text.At(begin) == '"' || text.At(begin) == '\'') && text.At(end - 1) == text.At(begin)) {
        ++begin;
        --end;
    }
    std::string value;
    for (size_t i = begin; i < end && value.size() < IntegerValueLimit; ++i)
        value += text.At(i) < 0x100 ? static_cast<char>(text.At(i)) : '?';
    return value;
}

template <typename Char>
std::basic_string<Char> Widen(std::string_view narrow)
{
    std::basic_string<Char> wide;
    for (char c : narrow)
        wide += static_cast<Char>(static_cast<unsigned char>(c));
    return wide;
}

// The file's own line ending: that of its first line, CRLF if it has none.
template <typename Char>
std::string_view LineEnding(const Text<Char>& text)
{
    const Line line = text.LineAt(0);
    if (line.Next - line.End == 2)
        return "\r\n";
    if (line.Next - line.End == 1)
        return text.At(line.End) == '\n' ? "\n" : "\r";
    return "\r\n";
}

template <typename Char>
std::basic_string<Char> Updated(std::basic_string_view<Char> units, std::string_view section, std::string_view key,
                                std::string_view value)
{
    const Text<Char> text(units);
    const Location where = Locate(text, section, key);
    const std::basic_string<Char> eol = Widen<Char>(LineEnding(text));
    const std::basic_string<Char> entry = Widen<Char>(TrimmedName(key)) + Widen<Char>("=") + Widen<Char>(value);
    std::basic_string<Char> result;
    if (where.KeyFound) {
        result.append(units.substr(0, where.ReplaceBegin));
        if (!where.HasValue)
            result += static_cast<Char>('=');
        result.append(Widen<Char>(value));
        result.append(units.substr(where.ReplaceEnd));
    } else if (where.SectionFound) {
        result.append(units.substr(0, where.InsertAt));
        if (where.InsertNeedsBreak)
            result.append(eol);
        result.append(entry + eol);
        result.append(units.substr(where.InsertAt));
    } else {
        result.append(units);
        if (!units.empty() && !IsBreak(text.At(units.size() - 1)))
            result.append(eol);
        result.append(Widen<Char>("[") + Widen<Char>(TrimmedName(section)) + Widen<Char>("]") + eol + entry + eol);
    }
    return result;
}

// A UTF-16LE file as 16-bit units; a last odd byte is carried along as is.
std::u16string Utf16Units(std::string_view bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return units;
}

std::string Utf16Bytes(std::u16string_view units)
{
    std::string bytes;
    bytes.reserve(2 * units.size());
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace

int32_t ParseInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint32_t base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    uint32_t total = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'z')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'Z')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            break;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return static_cast<int32_t>(negative ? 0u - total : total);
}

int32_t ReadInt(std::string_view file, std::string_view section, std::string_view key, int32_t defaultValue)
{
    std::optional<std::string> value;
    if (file.starts_with(Utf16Mark)) {
        const std::u16string units = Utf16Units(file.substr(Utf16Mark.size()));
        value = ValueOf(Text<char16_t>(units), section, key);
    } else {
        if (file.starts_with(Utf8Mark))
            file.remove_prefix(Utf8Mark.size());
        value = ValueOf(Text<char>(file), section, key);
    }
    return value && !value->empty() ? ParseInteger(*value) : defaultValue;
}

std::string WriteString(std::string_view file, std::string_view section, std::string_view key, std::string_view value)
{
    if (file.starts_with(Utf16Mark)) {
        const std::string_view body = file.substr(Utf16Mark.size());
        const std::u16string units = Utf16Units(body);
        return std::string(Utf16Mark) + Utf16Bytes(Updated<char16_t>(units, section, key, value)) +
               std::string(body.substr(2 * units.size()));
    }
    std::string_view mark;
    if (file.starts_with(Utf8Mark)) {
        mark = Utf8Mark;
        file.remove_prefix(Utf8Mark.size());
    }
    return std::string(mark) + Updated<char>(file, section, key, value);
}

}  // namespace profile
