#include "tests/simulation/usage_model.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace lumidor::testing {
namespace {

int YearSlot(int year) {
    if (year < UsageModel::FirstYear || year > UsageModel::LastYear)
        throw std::out_of_range("a year outside the simulated span");
    return year - UsageModel::FirstYear;
}

// Monday 0 .. Sunday 6, from the day count since Thursday 1970-01-01.
int MondayBasedWeekday(DateValue moment) {
    const int daysSinceEpoch = moment / 86400;
    return (daysSinceEpoch + 3) % 7;
}

} // namespace

void UsageModel::Seed(const WeekRecord& record) {
    Week& week = weeks.at(YearSlot(record.Year)).at(record.Week);
    week.exists = true;
    std::copy(std::begin(record.Minutes), std::end(record.Minutes), week.minutes.begin());
}

void UsageModel::Seed(const YearRecord& record) {
    Year& year = years.at(YearSlot(record.Year));
    year.exists = true;
    std::copy(std::begin(record.Minutes), std::end(record.Minutes), year.minutes.begin());
}

void UsageModel::CountMinute(DateValue moment) {
    // The file names follow the program's own naming; the counting is ours.
    const WeekOfYear name = WeekOfDate(moment);
    Week& week = weeks.at(YearSlot(name.year)).at(name.week);
    week.exists = true;
    ++week.minutes.at(MondayBasedWeekday(moment));
    Year& year = years.at(YearSlot(YearOfDate(moment)));
    year.exists = true;
    ++year.minutes.at(MonthOfDate(moment) - 1);
    ++totalMinutes;
}

std::map<std::string, WeekRecord> UsageModel::WeekFiles() const {
    std::map<std::string, WeekRecord> files;
    for (int slot = 0; slot < Years; ++slot)
        for (int number = 1; number <= 53; ++number) {
            const Week& week = weeks[slot][number];
            if (!week.exists)
                continue;
            WeekRecord record{
                static_cast<std::int8_t>(number), static_cast<std::int16_t>(FirstYear + slot), {}};
            std::copy(week.minutes.begin(), week.minutes.end(), record.Minutes);
            files[WeekFileName(FirstYear + slot, number)] = record;
        }
    return files;
}

std::map<std::string, YearRecord> UsageModel::YearFiles() const {
    std::map<std::string, YearRecord> files;
    for (int slot = 0; slot < Years; ++slot) {
        if (!years[slot].exists)
            continue;
        YearRecord record{static_cast<std::int16_t>(FirstYear + slot), {}};
        std::copy(years[slot].minutes.begin(), years[slot].minutes.end(), record.Minutes);
        files[YearFileName(FirstYear + slot)] = record;
    }
    return files;
}

} // namespace lumidor::testing
