// Implemented: local wall clock, performance counter and frequency, tick count.
#include "platform/clock.h"

#include <windows.h>

namespace lumidor::platform {

WallClock LocalWallClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool ReadPerformanceCounter(std::int64_t& count) {
    LARGE_INTEGER value{};
    if (!QueryPerformanceCounter(&value))
        return false;
    count = value.QuadPart;
    return true;
}

std::int64_t ReadPerformanceFrequency() {
    LARGE_INTEGER value{};
    if (!QueryPerformanceFrequency(&value))
        return 0;
    return value.QuadPart;
}

// GetTickCount wraps after 49.7 days by design; that is the fallback's nature.
std::uint32_t ReadTickCount() {
    return GetTickCount();
}

} // namespace lumidor::platform
