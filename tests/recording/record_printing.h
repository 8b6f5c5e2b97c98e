// Readable test messages for the usage records: "2011-42: 0 0 5 0 0 0 0".
#pragma once

#include "recording/usage_files.h"

#include <ostream>

namespace lumidor {

inline void PrintTo(const WeekRecord& record, std::ostream* out) {
    *out << record.Year << "-" << static_cast<int>(record.Week) << ":";
    for (std::int32_t minutes : record.Minutes)
        *out << " " << minutes;
}

inline void PrintTo(const YearRecord& record, std::ostream* out) {
    *out << record.Year << ":";
    for (std::int32_t minutes : record.Minutes)
        *out << " " << minutes;
}

} // namespace lumidor
