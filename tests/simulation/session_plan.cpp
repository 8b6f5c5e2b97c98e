#include "tests/simulation/session_plan.h"

#include <algorithm>

namespace lumidor::testing {
namespace {

constexpr int Hour = 3600;
constexpr int Day = 86400;

DateValue At(int year, int month, int day, int hour, int minute, int second) {
    return DateFromFields(year, month, day, hour, minute, second);
}

// The runs that give the year its edges, in addition to (or, where a day is
// named in SkipsOrdinaryDay, instead of) the ordinary sessions.
std::vector<Session> SpecialSessions() {
    return {
        // New Year inside one run: 2014-1.dat and 2014.dat, then 2015-1.dat and 2015.dat.
        {At(2014, 12, 31, 22, 30, 0), {{3 * Hour, 0}}, SessionEnd::CancelledEndThenClose},
        // 59 ticks count nothing, 60 count one minute.
        {At(2015, 2, 14, 12, 0, 0), {{59, 0}}, SessionEnd::Close},
        {At(2015, 2, 15, 12, 0, 0), {{60, 0}}, SessionEnd::Close},
        // Daylight saving begins: 01:59:59 is followed by 03:00:00, a 23-hour day.
        {At(2015, 3, 29, 1, 0, 0), {{Hour - 1, Hour}, {Hour, 0}}, SessionEnd::Close},
        // The clock set back an hour in the middle of the day.
        {At(2015, 6, 10, 13, 0, 0), {{1800, -Hour}, {3000, 0}}, SessionEnd::Close},
        // Monday 00:20 set back to Sunday 23:20: minutes go back to the week before.
        {At(2015, 6, 21, 23, 0, 0), {{4800, -Hour}, {2400, 0}}, SessionEnd::CancelledEndThenClose},
        // A sleep from Sunday night to Monday morning: the week changes while no tick comes.
        {At(2015, 8, 16, 22, 0, 0), {{3000, 7 * Hour + 10 * 60}, {1200, 0}}, SessionEnd::Close},
        // Daylight saving ends: 02:59:59 is followed by 02:00:00. The run covers
        // the whole 25-hour Sunday: 90000 ticks, 1500 minutes, all on Sunday.
        {At(2015, 10, 24, 23, 59, 30), {{10829, -Hour}, {90000 - 10829, 0}}, SessionEnd::Close},
        // New Year inside one run again: 2015-53.dat, then 2016-53.dat.
        {At(2015, 12, 31, 23, 30, 0), {{5400, 0}}, SessionEnd::Close},
    };
}

// The 25-hour day is one run from its first minute to its last.
bool SkipsOrdinaryDay(DateValue midnight) {
    return midnight == At(2015, 10, 25, 0, 0, 0);
}

// A morning run every day and an evening run every third day, each under an
// hour and a half; lengths and starts vary, none a whole number of minutes. Every fifth morning
// sleeps for three hours in the middle.
void AddOrdinarySessions(DateValue midnight, int dayIndex, std::vector<Session>& plan) {
    const SessionEnd end =
        dayIndex % 2 == 0 ? SessionEnd::Close : SessionEnd::CancelledEndThenClose;
    const DateValue morning = midnight + 7 * Hour + 1800 + (dayIndex % 7) * 311;
    const int length = 1800 + (dayIndex % 4) * 617 + 29;
    if (dayIndex % 5 == 0)
        plan.push_back({morning, {{length / 2, 3 * Hour}, {length - length / 2, 0}}, end});
    else
        plan.push_back({morning, {{length, 0}}, end});
    if (dayIndex % 3 == 0) {
        const DateValue evening = midnight + 19 * Hour + (dayIndex % 11) * 97;
        plan.push_back({evening, {{1200 + (dayIndex % 6) * 307, 0}}, end});
    }
}

} // namespace

std::vector<Session> SimulatedYearPlan() {
    std::vector<Session> plan;
    const DateValue first = At(2014, 12, 29, 0, 0, 0);
    const DateValue last = At(2016, 1, 3, 0, 0, 0);
    int dayIndex = 0;
    for (DateValue midnight = first; midnight <= last; midnight += Day, ++dayIndex)
        if (!SkipsOrdinaryDay(midnight))
            AddOrdinarySessions(midnight, dayIndex, plan);
    for (Session& special : SpecialSessions())
        plan.push_back(std::move(special));
    std::stable_sort(plan.begin(), plan.end(),
                     [](const Session& a, const Session& b) { return a.start < b.start; });
    return plan;
}

} // namespace lumidor::testing
