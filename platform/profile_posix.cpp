#include "profile.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "profile_text.h"

namespace platform {
namespace {

constexpr mode_t NewFileMode = 0666;  // narrowed by the process's umask
constexpr int TemporaryNameAttempts = 100;

// Reads the whole file. A missing file reads as empty; false when the file
// exists but cannot be read.
bool ReadWholeFile(const char* path, std::string& content, struct stat* status)
{
    content.clear();
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return errno == ENOENT;
    bool ok = fstat(file, status) == 0 && S_ISREG(status->st_mode);
    char block[65536];
    while (ok) {
        const ssize_t count = read(file, block, sizeof block);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            ok = count == 0;
            break;
        }
        content.append(block, static_cast<size_t>(count));
    }
    close(file);
    return ok;
}

bool WriteAll(int file, const std::string& content)
{
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t count = write(file, content.data() + done, content.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<size_t>(count);
    }
    return true;
}

// Writes the content to a new file beside the target and renames it over
// the target, so the target holds either its old or its new content, never
// a part of either.
bool ReplaceFile(const char* path, const std::string& content, const struct stat* old)
{
    std::string temporary;
    int file = -1;
    for (int attempt = 0; attempt < TemporaryNameAttempts && file < 0; ++attempt) {
        temporary = std::string(path) + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode);
        if (file < 0 && errno != EEXIST)
            return false;
    }
    if (file < 0)
        return false;
    bool ok = WriteAll(file, content);
    if (ok && old != nullptr)
        ok = fchmod(file, old->st_mode & 07777) == 0;
    ok = ok && fsync(file) == 0;
    ok = close(file) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path) == 0;
    if (!ok)
        unlink(temporary.c_str());
    return ok;
}

}  // namespace

int32_t ReadProfileInteger(const char* section, const char* key, int32_t defaultValue, const char* path)
{
    std::string content;
    struct stat status {};
    if (!ReadWholeFile(path, content, &status))
        return defaultValue;
    return profile::ReadInt(content, section, key, defaultValue);
}

bool WriteProfileText(const char* section, const char* key, const char* text, const char* path)
{
    std::string content;
    struct stat status {};
    if (!ReadWholeFile(path, content, &status))
        return false;
    const bool existed = status.st_mode != 0;
    return ReplaceFile(path, profile::WriteString(content, section, key, text), existed ? &status : nullptr);
}

bool EntryExists(const char* path)
{
    struct stat status {};
    return stat(path, &status) == 0;
}

}  // namespace platform
