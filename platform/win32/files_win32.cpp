// Implemented: the whole file seam with CreateFileW and friends. Every open
// shares reading only (FILE_SHARE_READ), so a reader and a writer of another
// process exclude each other.
#include "platform/files.h"
#include "platform/win32/text_win32.h"

#include <windows.h>

#include <algorithm>

namespace lumidor::platform {

struct OpenFile {
    HANDLE handle = INVALID_HANDLE_VALUE;
};

namespace {

OpenFile* Open(const std::filesystem::path& path, DWORD access, DWORD disposition) {
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return new OpenFile{handle};
}

} // namespace

OpenFile* OpenForReading(const std::filesystem::path& path) {
    return Open(path, GENERIC_READ, OPEN_EXISTING);
}

OpenFile* OpenForReadingAndWriting(const std::filesystem::path& path) {
    return Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
}

OpenFile* CreateAnew(const std::filesystem::path& path) {
    return Open(path, GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
}

std::size_t ReadBytes(OpenFile* file, void* buffer, std::size_t count) {
    if (file == nullptr)
        return 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - total, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file->handle, bytes + total, chunk, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    return total;
}

bool WriteBytes(OpenFile* file, const void* bytes, std::size_t count) {
    if (file == nullptr)
        return false;
    const auto* at = static_cast<const std::uint8_t*>(bytes);
    while (count > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file->handle, at, chunk, &written, nullptr) || written == 0)
            return false;
        at += written;
        count -= written;
    }
    return true;
}

bool SeekTo(OpenFile* file, std::uint64_t offset) {
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return file != nullptr && SetFilePointerEx(file->handle, distance, nullptr, FILE_BEGIN);
}

bool SeekToEnd(OpenFile* file) {
    LARGE_INTEGER distance{};
    return file != nullptr && SetFilePointerEx(file->handle, distance, nullptr, FILE_END);
}

std::optional<std::uint64_t> FileLength(OpenFile* file) {
    LARGE_INTEGER size{};
    if (file == nullptr || !GetFileSizeEx(file->handle, &size))
        return std::nullopt;
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool CloseFile(OpenFile* file) {
    if (file == nullptr)
        return false;
    const bool closed = CloseHandle(file->handle) != 0;
    delete file;
    return closed;
}

bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::path sibling = path;
    sibling += ReplacementSuffix;
    HANDLE handle = CreateFileW(sibling.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    OpenFile file{handle};
    bool ok = WriteBytes(&file, bytes.data(), bytes.size());
    ok = ok && FlushFileBuffers(handle);
    ok = CloseHandle(handle) && ok;
    ok = ok && MoveFileExW(sibling.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        DeleteFileW(sibling.c_str());
    return ok;
}

std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder) {
    const std::filesystem::path pattern = folder / L"*.*";
    WIN32_FIND_DATAW found{};
    HANDLE listing = FindFirstFileW(pattern.c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) {
        // An existing empty folder still lists (it has "." and ".."); only a
        // folder that cannot be opened fails.
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return std::vector<FolderEntry>{};
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    do {
        entries.push_back({win32::Narrow(found.cFileName),
                           (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    return entries;
}

bool MakeFolder(const std::filesystem::path& path) {
    return !path.empty() && CreateDirectoryW(path.c_str(), nullptr);
}

bool RemoveFile(const std::filesystem::path& path) {
    return DeleteFileW(path.c_str());
}

PathInfo QueryPath(const std::filesystem::path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    PathInfo info;
    info.exists = true;
    info.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return info;
}

} // namespace lumidor::platform
