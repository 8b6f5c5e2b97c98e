// A small INI-style file held in memory as its ordered lines. Reading accepts
// what people type by hand (any line end, blanks, comments, groups, a UTF-8
// byte-order mark); writing produces key lines only, "key = value" and CR LF.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumidor {

enum class PreferenceLineKind { Group, Comment, Key };

struct PreferenceLine {
    PreferenceLineKind kind = PreferenceLineKind::Key;
    // The group's name, the comment's text or the key; UTF-8.
    std::string name;
    // Key lines only.
    std::string value;
    friend bool operator==(const PreferenceLine&, const PreferenceLine&) = default;
};

struct PreferenceFile {
    std::filesystem::path path;
    std::vector<PreferenceLine> lines;
    // Set by CreatePreferenceFile: ClosePreferenceFile then writes the lines.
    bool created = false;
};

// Parses the file's bytes. Without a UTF-8 byte-order mark the text is taken
// as Latin-1 (the 8-bit form Windows gives German text) and turned into UTF-8,
// so keys always compare in UTF-8.
std::vector<PreferenceLine> ParsePreferenceText(std::string_view bytes);

// Reads and parses the whole file. A missing or unreadable file gives no lines
// and false.
bool OpenPreferenceFile(PreferenceFile& file, const std::filesystem::path& path);

// The first key line before the first group whose key matches without regard
// to ASCII case, read as a decimal number: blanks, an optional sign, digits up
// to the first other character. No digits give 0; a number beyond the signed
// 32-bit range gives the nearer end of that range. No matching line gives the
// default.
std::int32_t ReadPreferenceNumber(const PreferenceFile& file, std::string_view key,
                                  std::int32_t defaultValue);

// Starts an empty list for the file. Nothing on disk changes before
// ClosePreferenceFile, so an end in between leaves the old file whole. False
// when the file cannot be made there (no such folder, or a folder of that name).
bool CreatePreferenceFile(PreferenceFile& file, const std::filesystem::path& path);

// Adds the line "key = value" (decimal).
void WritePreferenceNumber(PreferenceFile& file, std::string_view key, std::int32_t value);

// After CreatePreferenceFile: replaces the file in one step with the lines as
// text (a sibling file renamed over it). Then the list is released. False when
// the file could not be written; the old one then stays as it was.
bool ClosePreferenceFile(PreferenceFile& file);

} // namespace lumidor
