#include "core/date.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace lumidor {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

// Days from 1970-01-01 to the given Gregorian date, for any year (Howard
// Hinnant's days_from_civil). Counting the year from 1 March puts the leap day
// last, so the days before a month follow the fixed pattern (153 * m + 2) / 5
// for m = 0 (March) .. 11 (February) and no month needs a table. A 400-year era
// always holds 146097 days, so the era times 146097 plus the day inside the era
// (365 per year, plus a leap day every 4th year, minus every 100th; the leap day
// of every 400th year is the era's last day) is exact. The era is floored so
// that it also holds for years before 1 March of year 0.
// 719468 is the day number of 1970-01-01 in that count, which starts on
// 0000-03-01. All in 64 bits, so no int32 year can overflow it.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t year_of_era = year - era * 400;                      // 0..399
    const std::int64_t march_month = month > 2 ? month - 3 : month + 9;     // 0..11
    const std::int64_t day_of_year = (153 * march_month + 2) / 5 + day - 1; // 0..365
    const std::int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year; // 0..146096
    return era * 146097 + day_of_era - 719468;
}

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The inverse of DaysFromCivil (Hinnant's civil_from_days), for the days of a
// non-negative DateValue.
CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t day_of_era = days - era * 146097; // 0..146096
    const std::int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const std::int64_t day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100); // 0..365
    const std::int64_t march_month = (5 * day_of_year + 2) / 153;               // 0..11
    CivilDate date;
    date.day = static_cast<int>(day_of_year - (153 * march_month + 2) / 5 + 1);
    date.month = static_cast<int>(march_month < 10 ? march_month + 3 : march_month - 9);
    date.year = static_cast<int>(year_of_era + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

CivilDate CivilOfValue(DateValue value) {
    if (value < 0) {
        return {};
    }
    return CivilFromDays(value / SecondsPerDay);
}

// Weekday of 4 January or of a date on the scale Monday = 1 .. Sunday = 7.
int MondayBasedWeekday(DateValue value) {
    const int weekday = WeekdayOfDate(value);
    return weekday == 0 ? 7 : weekday;
}

std::int8_t CalendarWeekAtDepth(std::int16_t year, std::int8_t month, std::int8_t day,
                                bool may_recurse) {
    const int j = MondayBasedWeekday(DateFromFields(year, 1, 4, 0, 0, 0));
    const DateValue date = DateFromFields(year, month, day, 0, 0, 0);
    const int w = MondayBasedWeekday(date);
    const int n = DayOfYearOfDate(date);

    // n is 0..366 and w, j are 1..7, so both narrowings keep the value.
    const auto days_before_weekday = static_cast<std::int16_t>(n - w);
    const auto offset_of_january_4 = static_cast<std::int8_t>(4 - j);
    const double num =
        (static_cast<double>(days_before_weekday) - static_cast<double>(offset_of_january_4)) + 0.0;
    int week = static_cast<int>(std::trunc(num / 7.0)) + 1;

    if (month == 12) {
        const int next_j = MondayBasedWeekday(DateFromFields(year + 1, 1, 4, 0, 0, 0));
        const int e = DayOfYearOfDate(DateFromFields(year, 12, 31, 0, 0, 0));
        if (e - n < next_j - 4) {
            week = 1;
        }
    }

    // An invalid 4 January gives j = 7, which no w exceeds, so this only runs for
    // a real year; the guards keep it one level deep and year - 1 in range anyway.
    if (month == 1 && day < 4 && j < w && may_recurse &&
        year > std::numeric_limits<std::int16_t>::min()) {
        return CalendarWeekAtDepth(static_cast<std::int16_t>(year - 1), 12, 31, false);
    }
    return static_cast<std::int8_t>(week);
}

} // namespace

bool IsLeapYear(std::int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

DateValue DateFromFields(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour,
                         std::int32_t minute, std::int32_t second) {
    if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) {
        return InvalidDate;
    }
    if (month == 2 && (day > 29 || (day == 29 && !IsLeapYear(year)))) {
        return InvalidDate;
    }
    if (second < 0 || second > 59 || minute < 0 || minute > 59 || hour < 0 || hour > 23 ||
        day < 1 || day > 31 || month < 1 || month > 12 || year < 1) {
        return InvalidDate;
    }
    const std::int64_t value = DaysFromCivil(year, month, day) * SecondsPerDay +
                               std::int64_t{hour} * 3600 + std::int64_t{minute} * 60 + second;
    if (value < 0 || value > std::numeric_limits<DateValue>::max()) {
        return InvalidDate;
    }
    return static_cast<DateValue>(value);
}

DateValue DateFromWallClock(const platform::WallClock& clock) {
    return DateFromFields(clock.year, clock.month, clock.day, clock.hour, clock.minute,
                          clock.second);
}

DateValue CurrentDate() {
    return DateFromWallClock(platform::LocalWallClock());
}

int YearOfDate(DateValue value) {
    return CivilOfValue(value).year;
}

int MonthOfDate(DateValue value) {
    return CivilOfValue(value).month;
}

int DayOfDate(DateValue value) {
    return CivilOfValue(value).day;
}

// 1970-01-01 was a Thursday.
int WeekdayOfDate(DateValue value) {
    if (value < 0) {
        return 0;
    }
    return static_cast<int>((4 + value / SecondsPerDay) % 7);
}

int DayOfYearOfDate(DateValue value) {
    if (value < 0) {
        return 0;
    }
    const std::int64_t days = value / SecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    return static_cast<int>(days - DaysFromCivil(date.year, 1, 1) + 1);
}

int HourOfDate(DateValue value) {
    return value < 0 ? 0 : value % 86400 / 3600;
}

int MinuteOfDate(DateValue value) {
    return value < 0 ? 0 : value % 3600 / 60;
}

int SecondOfDate(DateValue value) {
    return value < 0 ? 0 : value % 60;
}

std::int8_t CalendarWeek(std::int16_t year, std::int8_t month, std::int8_t day) {
    return CalendarWeekAtDepth(year, month, day, true);
}

} // namespace lumidor
