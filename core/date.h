// Date values: seconds since 1970-01-01 00:00:00 of the local wall clock,
// counted as if that clock were UTC, so the same fields give the same value in
// every time zone. Gregorian calendar throughout.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace lumidor {

using DateValue = std::int32_t;
inline constexpr DateValue InvalidDate = -1;

// InvalidDate for impossible fields and for moments outside 0 .. 2147483647.
DateValue DateFromFields(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                         std::int32_t minute, std::int32_t second);
DateValue DateFromWallClock(const platform::WallClock& clock);
// The local wall-clock time now, whole seconds.
DateValue CurrentDate();

// Breaking down; every field is 0 for a negative value.
int YearOfDate(DateValue value);
int MonthOfDate(DateValue value);
int DayOfDate(DateValue value);
int WeekdayOfDate(DateValue value); // 0 = Sunday .. 6 = Saturday
int DayOfYearOfDate(DateValue value);
int HourOfDate(DateValue value);
int MinuteOfDate(DateValue value);
int SecondOfDate(DateValue value);

bool IsLeapYear(std::int32_t year);

// The ISO 8601 week number of a date, without the week's own year.
std::int8_t CalendarWeek(std::int16_t year, std::int8_t month, std::int8_t day);

} // namespace lumidor
