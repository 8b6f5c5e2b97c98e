#include "core/date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <limits>

namespace lumidor {
namespace {

namespace chr = std::chrono;

constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();

struct FieldsCase {
    std::int32_t year, month, day, hour, minute, second;
    DateValue expected;
};

TEST(DateFromFields, GivesValueOrInvalidDate) {
    const FieldsCase cases[] = {
        // The ends of the range and their neighbours outside it.
        {1970, 1, 1, 0, 0, 0, 0},
        {1970, 1, 2, 0, 0, 0, 86400},
        {2038, 1, 19, 3, 14, 7, 2147483647},
        {2038, 1, 19, 3, 14, 8, InvalidDate},
        {1969, 12, 31, 23, 59, 59, InvalidDate},
        {2011, 3, 11, 8, 15, 0, 1299831300},
        {2037, 12, 31, 23, 59, 59, 2145916799},
        // Month lengths and leap days.
        {2012, 2, 28, 0, 0, 0, 1330387200},
        {2012, 2, 29, 0, 0, 0, 1330473600},
        {2000, 2, 29, 12, 0, 0, 951825600},
        {2011, 2, 29, 0, 0, 0, InvalidDate},
        {2012, 2, 30, 0, 0, 0, InvalidDate},
        {2011, 4, 30, 0, 0, 0, 1304121600},
        {2011, 4, 31, 0, 0, 0, InvalidDate},
        {2011, 6, 31, 0, 0, 0, InvalidDate},
        {2011, 9, 31, 0, 0, 0, InvalidDate},
        {2011, 11, 31, 0, 0, 0, InvalidDate},
        {2011, 12, 31, 0, 0, 0, 1325289600},
        // Field ranges.
        {2011, 1, 1, 24, 0, 0, InvalidDate},
        {2011, 1, 1, 0, 60, 0, InvalidDate},
        {2011, 1, 1, 0, 0, 60, InvalidDate},
        {2011, 1, 1, -1, 0, 0, InvalidDate},
        {2011, 1, 1, 0, -1, 0, InvalidDate},
        {2011, 1, 1, 0, 0, -1, InvalidDate},
        {2011, 0, 1, 0, 0, 0, InvalidDate},
        {2011, 13, 1, 0, 0, 0, InvalidDate},
        {2011, 1, 0, 0, 0, 0, InvalidDate},
        {2011, 1, 32, 0, 0, 0, InvalidDate},
        {0, 1, 1, 0, 0, 0, InvalidDate},
        {-1, 1, 1, 0, 0, 0, InvalidDate},
        {1, 1, 1, 0, 0, 0, InvalidDate},
        // An earlier test fails first whatever the later fields hold.
        {2011, 4, 31, 99, 0, 0, InvalidDate},
        {2011, 2, 29, 12, -7, 99, InvalidDate},
        {Int32Min, 2, 29, 0, 0, 0, InvalidDate},
        {Int32Max, 2, 29, 0, 0, 0, InvalidDate},
        // Extreme inputs: no overflow, just InvalidDate.
        {2000000000, 1, 1, 0, 0, 0, InvalidDate},
        {Int32Max, 12, 31, 23, 59, 59, InvalidDate},
        {Int32Min, 1, 1, 0, 0, 0, InvalidDate},
        {Int32Min, Int32Min, Int32Min, Int32Min, Int32Min, Int32Min, InvalidDate},
        {Int32Max, Int32Max, Int32Max, Int32Max, Int32Max, Int32Max, InvalidDate},
        {2011, Int32Min, 31, 0, 0, 0, InvalidDate},
        {2011, 2, Int32Min, 0, 0, 0, InvalidDate},
    };
    for (const FieldsCase& c : cases) {
        EXPECT_EQ(DateFromFields(c.year, c.month, c.day, c.hour, c.minute, c.second), c.expected)
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute << ":"
            << c.second;
    }
}

TEST(IsLeapYear, FollowsGregorianRule) {
    EXPECT_TRUE(IsLeapYear(2012));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2400));
    EXPECT_FALSE(IsLeapYear(2011));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_FALSE(IsLeapYear(Int32Max));
}

TEST(DateFromWallClock, BuildsTheClockFields) {
    EXPECT_EQ(DateFromWallClock({2011, 7, 1, 12, 0, 0}), 1309521600);
    EXPECT_EQ(DateFromWallClock({2011, 2, 29, 12, 0, 0}), InvalidDate);
}

TEST(CurrentDate, ReadsAValidMoment) {
    EXPECT_NE(CurrentDate(), InvalidDate);
}

// Every second of the day passed in, for every day of the range: the value
// agrees with std::chrono and breaks down into the fields it came from.
TEST(BreakingDown, GivesBackTheFieldsOfEveryDayInRange) {
    struct TimeOfDay {
        int hour, minute, second;
    };
    const TimeOfDay times[] = {{0, 0, 0}, {3, 14, 7}, {8, 15, 0}, {12, 34, 56}, {23, 59, 59}};
    const chr::sys_days first{chr::year{1970} / chr::January / 1};
    const chr::sys_days last{chr::year{2038} / chr::January / 19};
    for (chr::sys_days day = first; day <= last; day += chr::days{1}) {
        const chr::year_month_day date{day};
        const int year = static_cast<int>(date.year());
        const int month = static_cast<int>(static_cast<unsigned>(date.month()));
        const int day_of_month = static_cast<int>(static_cast<unsigned>(date.day()));
        const int weekday = static_cast<int>(chr::weekday{day}.c_encoding());
        const int day_of_year =
            static_cast<int>((day - chr::sys_days{date.year() / chr::January / 1}).count()) + 1;
        for (const TimeOfDay& time : times) {
            const std::int64_t expected = std::int64_t{day.time_since_epoch().count()} * 86400 +
                                          time.hour * 3600 + time.minute * 60 + time.second;
            if (expected > Int32Max) {
                continue;
            }
            const DateValue value =
                DateFromFields(year, month, day_of_month, time.hour, time.minute, time.second);
            ASSERT_EQ(value, expected) << year << "-" << month << "-" << day_of_month;
            ASSERT_EQ(YearOfDate(value), year) << value;
            ASSERT_EQ(MonthOfDate(value), month) << value;
            ASSERT_EQ(DayOfDate(value), day_of_month) << value;
            ASSERT_EQ(WeekdayOfDate(value), weekday) << value;
            ASSERT_EQ(DayOfYearOfDate(value), day_of_year) << value;
            ASSERT_EQ(HourOfDate(value), time.hour) << value;
            ASSERT_EQ(MinuteOfDate(value), time.minute) << value;
            ASSERT_EQ(SecondOfDate(value), time.second) << value;
        }
    }
}

TEST(BreakingDown, GivesZeroForNegativeValues) {
    for (const DateValue value : {InvalidDate, DateValue{-86400}, Int32Min}) {
        EXPECT_EQ(YearOfDate(value), 0) << value;
        EXPECT_EQ(MonthOfDate(value), 0) << value;
        EXPECT_EQ(DayOfDate(value), 0) << value;
        EXPECT_EQ(WeekdayOfDate(value), 0) << value;
        EXPECT_EQ(DayOfYearOfDate(value), 0) << value;
        EXPECT_EQ(HourOfDate(value), 0) << value;
        EXPECT_EQ(MinuteOfDate(value), 0) << value;
        EXPECT_EQ(SecondOfDate(value), 0) << value;
    }
}

TEST(BreakingDown, KnownDays) {
    EXPECT_EQ(WeekdayOfDate(0), 4); // Thursday
    EXPECT_EQ(DayOfYearOfDate(DateFromFields(2011, 12, 31, 0, 0, 0)), 365);
    EXPECT_EQ(DayOfYearOfDate(DateFromFields(2012, 12, 31, 23, 59, 59)), 366);
    EXPECT_EQ(DayOfYearOfDate(DateFromFields(2012, 1, 1, 0, 0, 0)), 1);
    EXPECT_EQ(YearOfDate(Int32Max), 2038);
    EXPECT_EQ(WeekdayOfDate(Int32Max), 2); // Tuesday
}

// The ISO 8601 week, worked out with std::chrono: the week belongs to the year
// of its Thursday and counts from that year's first Thursday.
int IsoWeek(chr::sys_days day) {
    const unsigned iso_weekday = chr::weekday{day}.iso_encoding(); // Monday = 1 .. Sunday = 7
    const chr::sys_days thursday = day - chr::days{iso_weekday} + chr::days{4};
    const chr::year week_year = chr::year_month_day{thursday}.year();
    const chr::sys_days first_day{week_year / chr::January / 1};
    return static_cast<int>((thursday - first_day).count() / 7) + 1;
}

TEST(CalendarWeek, IsTheIsoWeekForEveryDayInRange) {
    const chr::sys_days first{chr::year{1970} / chr::January / 1};
    const chr::sys_days last{chr::year{2038} / chr::January / 19};
    for (chr::sys_days day = first; day <= last; day += chr::days{1}) {
        const chr::year_month_day date{day};
        const int week = CalendarWeek(static_cast<std::int16_t>(static_cast<int>(date.year())),
                                      static_cast<std::int8_t>(static_cast<unsigned>(date.month())),
                                      static_cast<std::int8_t>(static_cast<unsigned>(date.day())));
        ASSERT_EQ(week, IsoWeek(day))
            << static_cast<int>(date.year()) << "-" << static_cast<unsigned>(date.month()) << "-"
            << static_cast<unsigned>(date.day());
    }
}

TEST(CalendarWeek, WorkedExamples) {
    struct WeekCase {
        std::int16_t year;
        std::int8_t month, day;
        int week;
    };
    const WeekCase cases[] = {
        {1970, 1, 1, 1},    {2008, 12, 28, 52}, {2008, 12, 29, 1}, {2009, 12, 31, 53},
        {2010, 1, 1, 53},   {2010, 1, 3, 53},   {2010, 1, 4, 1},   {2011, 1, 2, 52},
        {2011, 1, 3, 1},    {2011, 3, 11, 10},  {2012, 12, 31, 1}, {2021, 1, 1, 53},
        {2037, 12, 31, 53},
    };
    for (const WeekCase& c : cases) {
        EXPECT_EQ(CalendarWeek(c.year, c.month, c.day), c.week)
            << c.year << "-" << int{c.month} << "-" << int{c.day};
    }
}

// Dates the program never passes (invalid days, years out of range, the most
// negative year whose year before does not fit 16 bits) still give a small
// number, without crashing or recursing on.
TEST(CalendarWeek, StaysSmallForAnyFields) {
    struct MonthDay {
        std::int8_t month, day;
    };
    const MonthDay month_days[] = {{1, 1},   {1, 3}, {1, 4},  {2, 29}, {2, 30},      {12, 31},
                                   {12, 29}, {0, 0}, {13, 1}, {1, -1}, {-128, -128}, {127, 127}};
    for (int year = std::numeric_limits<std::int16_t>::min();
         year <= std::numeric_limits<std::int16_t>::max(); ++year) {
        for (const MonthDay& month_day : month_days) {
            const int week =
                CalendarWeek(static_cast<std::int16_t>(year), month_day.month, month_day.day);
            ASSERT_GE(week, 0) << year;
            ASSERT_LE(week, 53) << year;
        }
    }
}

} // namespace
} // namespace lumidor
