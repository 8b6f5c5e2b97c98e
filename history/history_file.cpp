#include "history/history_file.h"

#include "platform/files.h"

#include <array>

namespace lumidor {
namespace {

constexpr std::size_t BlockSize = 64 * 1024;

} // namespace

std::optional<HistoryTail> ReadHistoryTail(const std::filesystem::path& file, std::size_t keep) {
    platform::OpenFile* opened = platform::OpenForReading(file);
    if (opened == nullptr)
        return std::nullopt;

    // Start at the first record that can survive; without a length, at the start.
    std::uint64_t skippedRecords = 0;
    if (const std::optional<std::uint64_t> length = platform::FileLength(opened)) {
        const std::uint64_t whole = *length / HistoryRecordSize;
        if (whole > keep)
            skippedRecords = whole - keep;
    }
    if (!platform::SeekTo(opened, skippedRecords * HistoryRecordSize)) {
        skippedRecords = 0;
        platform::SeekTo(opened, 0);
    }

    // Reads to the end in large blocks and keeps only the newest bytes.
    std::vector<std::uint8_t> kept;
    std::vector<std::uint8_t> block(BlockSize);
    while (const std::size_t got = platform::ReadBytes(opened, block.data(), block.size())) {
        kept.insert(kept.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(got));
        const std::size_t whole = kept.size() / HistoryRecordSize;
        if (whole > keep) {
            const std::size_t drop = whole - keep;
            kept.erase(kept.begin(),
                       kept.begin() + static_cast<std::ptrdiff_t>(drop * HistoryRecordSize));
            skippedRecords += drop;
        }
    }
    platform::CloseFile(opened);

    HistoryTail tail;
    const std::size_t whole = kept.size() / HistoryRecordSize;
    tail.recordCount = skippedRecords + whole;
    tail.trailingPiece = kept.size() % HistoryRecordSize != 0;
    tail.newest.reserve(whole);
    for (std::size_t i = 0; i < whole; ++i)
        tail.newest.push_back(DecodeHistoryRecord(kept.data() + i * HistoryRecordSize));
    return tail;
}

bool ReplaceHistoryFile(const std::filesystem::path& file, std::span<const HistoryRecord> records) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(records.size() * HistoryRecordSize);
    for (const HistoryRecord& record : records) {
        const auto encoded = EncodeHistoryRecord(record);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    return platform::ReplaceFileAtomically(file, bytes);
}

bool AppendHistoryRecord(const std::filesystem::path& file, const HistoryRecord& record) {
    platform::OpenFile* opened = platform::OpenForReadingAndWriting(file);
    if (opened == nullptr)
        return false;
    const std::optional<std::uint64_t> length = platform::FileLength(opened);
    const auto encoded = EncodeHistoryRecord(record);
    const bool written = length.has_value() &&
                         platform::SeekTo(opened, *length - *length % HistoryRecordSize) &&
                         platform::WriteBytes(opened, encoded.data(), encoded.size());
    // Once written the record is in the file; a failing close changes nothing.
    platform::CloseFile(opened);
    return written;
}

} // namespace lumidor
