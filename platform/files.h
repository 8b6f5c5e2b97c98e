// Files and folders. Every open allows other processes to read the file at the
// same time and none to write it, so a reader and a writer exclude each other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumidor::platform {

// An open file; each platform defines it.
struct OpenFile;

// Existing files only.
OpenFile* OpenForReading(const std::filesystem::path& path);
// Creates the file when it is missing and keeps the contents when it is not.
OpenFile* OpenForReadingAndWriting(const std::filesystem::path& path);
// Creates the file, or empties an existing one.
OpenFile* CreateAnew(const std::filesystem::path& path);

// Reads up to count bytes at the file position; returns how many were read (0
// at the end of the file or on an error).
std::size_t ReadBytes(OpenFile* file, void* buffer, std::size_t count);
// Writes all bytes at the file position, or reports failure.
bool WriteBytes(OpenFile* file, const void* bytes, std::size_t count);
bool SeekTo(OpenFile* file, std::uint64_t offset);
bool SeekToEnd(OpenFile* file);
std::optional<std::uint64_t> FileLength(OpenFile* file);
// Closes the file; false when its buffered data could not be written.
bool CloseFile(OpenFile* file);

// The name ReplaceFileAtomically gives the sibling: the target's name and this.
// One left behind by a crash holds nothing that the target lacks.
inline constexpr std::string_view ReplacementSuffix = ".new";

// Writes the bytes to a sibling file, makes them durable, then renames the
// sibling over the target in one step: a reader or a crash sees either the old
// file whole or the new one whole.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

struct FolderEntry {
    std::string name; // UTF-8
    bool isFolder = false;
};

// Every entry of the folder, "." and ".." included where the platform yields
// them, in the platform's order. Empty optional when the folder cannot be listed.
std::optional<std::vector<FolderEntry>> ListFolder(const std::filesystem::path& folder);

// Creates one folder; the parent must exist. False when it exists already or
// cannot be made.
bool MakeFolder(const std::filesystem::path& path);
// Deletes a file (never a folder).
bool RemoveFile(const std::filesystem::path& path);

struct PathInfo {
    bool exists = false;
    bool isFolder = false;
    std::uint64_t size = 0;
};
PathInfo QueryPath(const std::filesystem::path& path);

} // namespace lumidor::platform
