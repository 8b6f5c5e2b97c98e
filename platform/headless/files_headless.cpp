// Real files through POSIX calls. The share rules of the Windows opens (others
// may read, none may write) are enforced among the opens of this process, so
// tests can stand in for a second process with HoldFile.
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace lumidor {
namespace platform {

struct OpenFile {
    int descriptor = -1;
    std::string key;
    bool writer = false;
};

} // namespace platform

namespace {

struct Holders {
    int readers = 0;
    int writers = 0;
};

struct FilesState {
    std::map<std::string, Holders> holders;
    std::vector<platform::OpenFile*> heldByOthers;
    long long writeBudget = -1;
    int openCount = 0;
};

FilesState filesState;

// Files are told apart by their absolute, normalised path.
std::string KeyOf(const std::filesystem::path& path) {
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal().string();
}

bool MayOpen(const std::string& key, bool forWriting) {
    auto found = filesState.holders.find(key);
    if (found == filesState.holders.end())
        return true;
    if (forWriting)
        return found->second.readers == 0 && found->second.writers == 0;
    return found->second.writers == 0;
}

bool IsHeld(const std::string& key) {
    auto found = filesState.holders.find(key);
    return found != filesState.holders.end() &&
           (found->second.readers > 0 || found->second.writers > 0);
}

platform::OpenFile* Open(const std::filesystem::path& path, int flags, bool forWriting) {
    const std::string key = KeyOf(path);
    if (!MayOpen(key, forWriting))
        return nullptr;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return nullptr;
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return nullptr;
    ++filesState.openCount;
    Holders& holders = filesState.holders[key];
    (forWriting ? holders.writers : holders.readers) += 1;
    return new platform::OpenFile{descriptor, key, forWriting};
}

// Takes from the write budget; false when the fault says the write fails.
bool SpendWriteBudget(std::size_t& count) {
    if (filesState.writeBudget < 0)
        return true;
    if (static_cast<long long>(count) <= filesState.writeBudget) {
        filesState.writeBudget -= static_cast<long long>(count);
        return true;
    }
    count = static_cast<std::size_t>(filesState.writeBudget);
    filesState.writeBudget = 0;
    return false;
}

bool WriteAll(int descriptor, const std::uint8_t* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t written = ::write(descriptor, bytes, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

namespace headless {

void ResetFiles() {
    ReleaseHeldFiles();
    filesState.holders.clear();
    filesState.writeBudget = -1;
    filesState.openCount = 0;
}

bool HoldFile(const std::filesystem::path& path, bool forWriting) {
    platform::OpenFile* file =
        forWriting ? Open(path, O_RDWR | O_CREAT, true) : Open(path, O_RDONLY, false);
    if (file == nullptr)
        return false;
    --filesState.openCount;
    filesState.heldByOthers.push_back(file);
    return true;
}

void ReleaseHeldFiles() {
    for (platform::OpenFile* file : filesState.heldByOthers)
        platform::CloseFile(file);
    filesState.heldByOthers.clear();
}

void SetWriteBudget(long long bytes) {
    filesState.writeBudget = bytes < 0 ? -1 : bytes;
}
int FileOpenCount() {
    return filesState.openCount;
}

} // namespace headless

namespace platform {

OpenFile* OpenForReading(const std::filesystem::path& path) {
    return Open(path, O_RDONLY, false);
}

OpenFile* OpenForReadingAndWriting(const std::filesystem::path& path) {
    return Open(path, O_RDWR | O_CREAT, true);
}

OpenFile* CreateAnew(const std::filesystem::path& path) {
    return Open(path, O_RDWR | O_CREAT | O_TRUNC, true);
}

std::size_t ReadBytes(OpenFile* file, void* buffer, std::size_t count) {
    if (file == nullptr)
        return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const ssize_t got = ::read(file->descriptor, bytes + total, count - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

bool WriteBytes(OpenFile* file, const void* bytes, std::size_t count) {
    if (file == nullptr || !file->writer)
        return false;
    std::size_t allowed = count;
    const bool withinBudget = SpendWriteBudget(allowed);
    const bool written =
        WriteAll(file->descriptor, static_cast<const std::uint8_t*>(bytes), allowed);
    return withinBudget && written;
}

bool SeekTo(OpenFile* file, std::uint64_t offset) {
    return file != nullptr && ::lseek(file->descriptor, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool SeekToEnd(OpenFile* file) {
    return file != nullptr && ::lseek(file->descriptor, 0, SEEK_END) >= 0;
}

std::optional<std::uint64_t> FileLength(OpenFile* file) {
    struct stat info {};
    if (file == nullptr || ::fstat(file->descriptor, &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

bool CloseFile(OpenFile* file) {
    if (file == nullptr)
        return false;
    auto found = filesState.holders.find(file->key);
    if (found != filesState.holders.end()) {
        (file->writer ? found->second.writers : found->second.readers) -= 1;
        if (found->second.readers == 0 && found->second.writers == 0)
            filesState.holders.erase(found);
    }
    const bool closed = ::close(file->descriptor) == 0;
    delete file;
    return closed;
}

bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    // Windows refuses to rename over a file that someone holds open.
    if (IsHeld(KeyOf(path)))
        return false;
    std::filesystem::path sibling = path;
    sibling += ReplacementSuffix;
    OpenFile* file = CreateAnew(sibling);
    if (file == nullptr)
        return false;
    bool ok = WriteBytes(file, bytes.data(), bytes.size());
    ok = ok && ::fsync(file->descriptor) == 0;
    ok = CloseFile(file) && ok;
    ok = ok && ::rename(sibling.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(sibling.c_str());
    return ok;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    while (dirent* entry = ::readdir(listing)) {
        FolderEntry found{entry->d_name, false};
        struct stat info {};
        if (::fstatat(::dirfd(listing), entry->d_name, &info, 0) == 0)
            found.isFolder = S_ISDIR(info.st_mode);
        entries.push_back(std::move(found));
    }
    ::closedir(listing);
    return entries;
}

bool MakeFolder(const std::filesystem::path& path) {
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool RemoveFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return false;
    if (IsHeld(KeyOf(path)))
        return false;
    return ::unlink(path.c_str()) == 0;
}

PathInfo QueryPath(const std::filesystem::path& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
}

} // namespace platform
} // namespace lumidor
