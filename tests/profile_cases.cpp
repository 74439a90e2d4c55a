#include "profile_cases.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

class LineReader {
public:
    LineReader(const std::string& line, const std::string& where) : line_(line), where_(where) {}

    std::string Word()
    {
        Skip();
        const size_t start = at_;
        while (at_ < line_.size() && line_[at_] != ' ')
            ++at_;
        return line_.substr(start, at_ - start);
    }

    int32_t Number()
    {
        const std::string word = Word();
        try {
            size_t used = 0;
            const long long value = std::stoll(word, &used, 0);
            if (used == word.size())
                return static_cast<int32_t>(value);
        } catch (const std::exception&) {
        }
        Fail("expected a number, found '" + word + "'");
    }

    std::string Quoted()
    {
        Skip();
        if (at_ >= line_.size() || line_[at_] != '"')
            Fail("expected a quoted text");
        std::string text;
        for (++at_; at_ < line_.size() && line_[at_] != '"'; ++at_) {
            if (line_[at_] != '\\') {
                text += line_[at_];
                continue;
            }
            if (++at_ >= line_.size())
                Fail("unfinished escape");
            switch (const char c = line_[at_]) {
            case 'r': text += '\r'; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case '0': text += '\0'; break;
            case 'x':
                if (at_ + 2 >= line_.size())
                    Fail("expected two hex digits after \\x");
                text += static_cast<char>(std::stoi(line_.substr(at_ + 1, 2), nullptr, 16));
                at_ += 2;
                break;
            default: text += c; break;
            }
        }
        if (at_ >= line_.size())
            Fail("unfinished quoted text");
        ++at_;
        return text;
    }

    bool AtEnd()
    {
        Skip();
        return at_ >= line_.size();
    }

    [[noreturn]] void Fail(const std::string& problem) const { throw std::runtime_error(where_ + ": " + problem); }

private:
    void Skip()
    {
        while (at_ < line_.size() && line_[at_] == ' ')
            ++at_;
    }

    const std::string& line_;
    std::string where_;
    size_t at_ = 0;
};

}  // namespace

std::vector<ProfileCase> LoadProfileCases(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::vector<ProfileCase> cases;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        LineReader reader(line, path + ":" + std::to_string(number));
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            cases.push_back({line.substr(1, line.find(']') - 1), std::nullopt, {}, std::nullopt, {}});
            continue;
        }
        if (cases.empty())
            reader.Fail("expected a [case name] first");
        ProfileCase& current = cases.back();
        const std::string what = reader.Word();
        if (what == "file") {
            current.File = reader.Quoted();
        } else if (what == "write") {
            ProfileWrite write;
            write.Section = reader.Quoted();
            write.Key = reader.Quoted();
            write.Value = reader.Quoted();
            current.Writes.push_back(write);
        } else if (what == "bytes") {
            current.Bytes = reader.Quoted();
        } else if (what == "read") {
            ProfileRead read;
            read.Section = reader.Quoted();
            read.Key = reader.Quoted();
            read.Default = reader.Number();
            if (reader.Word() != "->")
                reader.Fail("expected '->'");
            read.Expected = reader.Number();
            if (!reader.AtEnd()) {
                if (reader.Word() != "wine")
                    reader.Fail("expected 'wine' or the end of the line");
                read.Wine = reader.Number();
            }
            current.Reads.push_back(read);
        } else {
            reader.Fail("expected file, write, bytes or read");
        }
        if (!reader.AtEnd())
            reader.Fail("unexpected text at the end of the line");
    }
    return cases;
}
