#include "recording/minute_accumulator.h"

#include "recording/uptime.h"

#include <limits>

namespace lumidor {
namespace {

// Nothing bounds a stored counter; a damaged file holding the largest value
// stays there rather than overflowing.
void AddMinute(std::int32_t& counter) {
    if (counter < std::numeric_limits<std::int32_t>::max())
        ++counter;
}

} // namespace

void CountMinute(Recorder& recorder, DateValue now) {
    if (now < 0)
        return;
    const WeekOfYear today = WeekOfDate(now);
    const auto year = static_cast<std::int16_t>(today.year);
    const auto week = static_cast<std::int8_t>(today.week);

    WeekRecord& weekRecord = recorder.CurrentWeekRecord;
    if (weekRecord.Year != year || weekRecord.Week != week)
        weekRecord = WeekRecord{week, year, {}};
    AddMinute(weekRecord.Minutes[WeekdayCounter(WeekdayOfDate(now))]);

    YearRecord& yearRecord = recorder.CurrentYearRecord;
    if (yearRecord.Year != year)
        yearRecord = YearRecord{year, {}};
    AddMinute(yearRecord.Minutes[MonthOfDate(now) - 1]);
}

void OnTimerTick(const App& app, Recorder& recorder) {
    ++recorder.TickCounter;
    const std::int64_t uptime = CurrentUptime();
    if (app.recordingMode && recorder.TickCounter == TicksPerMinute) {
        recorder.TickCounter = 0;
        const DateValue now = CurrentDate();
        ReadUsageRecords(app.DataFolder, now, recorder);
        CountMinute(recorder, now);
        WriteUsageRecords(app.DataFolder, now, recorder);
    }
    ShowUptime(uptime);
}

} // namespace lumidor
