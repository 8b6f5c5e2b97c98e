// One recorded session: 8 bytes on disk, switch-on then switch-off, each a
// little-endian DateValue.
#pragma once

#include "core/bytes.h"
#include "core/date.h"

#include <array>
#include <cstdint>

namespace lumidor {

struct HistoryRecord {
    DateValue switchOn = InvalidDate;
    DateValue switchOff = InvalidDate;
    friend bool operator==(const HistoryRecord&, const HistoryRecord&) = default;
};

inline constexpr std::size_t HistoryRecordSize = 8;

inline std::array<std::uint8_t, HistoryRecordSize>
EncodeHistoryRecord(const HistoryRecord& record) {
    std::array<std::uint8_t, HistoryRecordSize> bytes{};
    StoreInt32(bytes.data(), record.switchOn);
    StoreInt32(bytes.data() + 4, record.switchOff);
    return bytes;
}

inline HistoryRecord DecodeHistoryRecord(const std::uint8_t* bytes) {
    return {LoadInt32(bytes), LoadInt32(bytes + 4)};
}

} // namespace lumidor
