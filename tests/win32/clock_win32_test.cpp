// The Win32 time sources behind the uptime clock and the usage files' "now".
#include "core/date.h"
#include "platform/clock.h"
#include "recording/uptime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>

namespace lumidor {
namespace {

TEST(Win32Clock, ThePerformanceCounterRunsAtAKnownFrequency) {
    std::int64_t first = 0;
    ASSERT_TRUE(platform::ReadPerformanceCounter(first));
    const std::int64_t frequency = platform::ReadPerformanceFrequency();
    EXPECT_GT(frequency, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::int64_t second = 0;
    ASSERT_TRUE(platform::ReadPerformanceCounter(second));
    EXPECT_GT(second, first);
    // 50 ms of sleep is at least 40 ms and, on a loaded machine, well under 5 s.
    EXPECT_GE((second - first) * 1000, frequency * 40);
    EXPECT_LT((second - first), frequency * 5);
}

TEST(Win32Clock, TheCounterUptimeAgreesWithTheTickCount) {
    const std::int64_t uptime = UptimeSeconds();
    const std::uint32_t tickCount = platform::ReadTickCount();
    ASSERT_GT(uptime, 0);
    // The tick count wraps after 2^32 ms; compare the two on that circle.
    const auto fromCounter = static_cast<std::uint32_t>(static_cast<std::uint64_t>(uptime) * 1000);
    const std::uint32_t ahead = tickCount - fromCounter;
    const std::uint32_t behind = fromCounter - tickCount;
    EXPECT_LT(std::min(ahead, behind), 3000u)
        << "counter uptime " << uptime << " s, tick count " << tickCount << " ms";
}

TEST(Win32Clock, TheWallClockGivesAValidDate) {
    const platform::WallClock now = platform::LocalWallClock();
    EXPECT_GE(now.year, 2020);
    const DateValue value = CurrentDate();
    ASSERT_NE(value, InvalidDate);
    EXPECT_EQ(YearOfDate(value), now.year);
}

} // namespace
} // namespace lumidor
