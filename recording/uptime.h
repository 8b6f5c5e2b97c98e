// The uptime clock: how long Windows has been running, read afresh on every
// tick, and its breakdown into the seven uptime fields of the "Aktuell" tab.
//
// The breakdown uses fixed unit lengths; its year is 356 days, its month 30.
#pragma once

#include <cstdint>

namespace lumidor {

inline constexpr std::int64_t SecondsPerUptimeYear = 356 * 86400;
inline constexpr std::int64_t SecondsPerUptimeMonth = 30 * 86400;
inline constexpr std::int64_t SecondsPerWeek = 7 * 86400;
inline constexpr std::int64_t SecondsPerDay = 86400;
inline constexpr std::int64_t SecondsPerHour = 3600;
inline constexpr std::int64_t SecondsPerMinute = 60;

// Whole seconds from the high-resolution counter; 0 when the counter cannot be
// read or has no usable frequency.
std::int64_t UptimeSeconds();

// The counter's uptime, or the millisecond tick count's (which wraps after
// 49.7 days) when the counter gives 0; shows the counter warning label while
// the tick count is in use and hides it otherwise.
std::int64_t CurrentUptime();

// Sets all seven uptime fields to the breakdown of the seconds, every field on
// every call. Allocates nothing.
void ShowUptime(std::int64_t seconds);

} // namespace lumidor
