#include "tests/support/headless_support.h"

#include "platform/headless/headless.h"

namespace lumidor::testing {

void SetNow(DateValue value) {
    headless::SetWallClock({YearOfDate(value), MonthOfDate(value), DayOfDate(value),
                            HourOfDate(value), MinuteOfDate(value), SecondOfDate(value)});
}

DateValue Now() {
    return DateFromWallClock(headless::WallClockNow());
}

void AdvanceClock(int seconds) {
    SetNow(Now() + seconds);
}

} // namespace lumidor::testing
