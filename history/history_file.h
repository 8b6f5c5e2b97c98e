// "History.dat": 8-byte records, oldest first, nothing else. A file cut short
// by a crash may end in a piece of fewer than 8 bytes; it belongs to no record.
#pragma once

#include "core/history_record.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lumidor {

inline constexpr std::string_view HistoryFileName = "History.dat";

struct HistoryTail {
    // The newest records, at most as many as asked for, oldest first.
    std::vector<HistoryRecord> newest;
    // Whole records in the file.
    std::uint64_t recordCount = 0;
    bool trailingPiece = false;
};

// Only the newest records are read and decoded, so a huge file costs no more
// than a small one. Empty optional when the file cannot be opened.
std::optional<HistoryTail> ReadHistoryTail(const std::filesystem::path& file, std::size_t keep);

// Replaces the whole file with these records in one step. False when it could
// not; the old file then stays whole.
bool ReplaceHistoryFile(const std::filesystem::path& file, std::span<const HistoryRecord> records);

// Writes the record after the last whole record, over a trailing piece, so the
// records after it stay aligned; creates the file when it is missing. True
// once the record's bytes are written.
bool AppendHistoryRecord(const std::filesystem::path& file, const HistoryRecord& record);

} // namespace lumidor
