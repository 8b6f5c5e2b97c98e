// Reading the clock only; the fields live in uptime_display.cpp, so that this
// part links without a window toolkit.
#include "recording/uptime.h"

#include "platform/clock.h"

namespace lumidor {

std::int64_t UptimeSeconds() {
    std::int64_t count = 0;
    if (!platform::ReadPerformanceCounter(count))
        return 0;
    const std::int64_t frequency = platform::ReadPerformanceFrequency();
    // A counter without a frequency, or running backwards, cannot be believed.
    if (frequency <= 0 || count < 0)
        return 0;
    return count / frequency;
}

} // namespace lumidor
