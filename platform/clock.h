// Time sources: the local wall clock and the two uptime counters.
#pragma once

#include <cstdint>

namespace lumidor::platform {

// Local wall-clock time, daylight saving included, to the second.
struct WallClock {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

WallClock LocalWallClock();

// The high-resolution counter; false when it cannot be read.
bool ReadPerformanceCounter(std::int64_t& count);
// Counts per second; 0 where the counter does not exist.
std::int64_t ReadPerformanceFrequency();
// Milliseconds since the system started, wrapping after 49.7 days.
std::uint32_t ReadTickCount();

} // namespace lumidor::platform
