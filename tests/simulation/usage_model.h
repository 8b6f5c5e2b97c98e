// What the usage files must hold after a simulated year: the minutes counted
// per file name, kept apart from the program's own records. Fixed arrays, so
// counting allocates nothing while the program's memory is being watched.
#pragma once

#include "core/date.h"
#include "recording/usage_files.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace lumidor::testing {

class UsageModel {
  public:
    static constexpr int FirstYear = 2014;
    static constexpr int LastYear = 2016;

    // A file that exists before the first run.
    void Seed(const WeekRecord& record);
    void Seed(const YearRecord& record);
    // One counted minute at this moment: the week file named by its calendar
    // year and week, the weekday of the moment, the month of the moment.
    void CountMinute(DateValue moment);

    // File name -> the record it must hold, for every file counted or seeded.
    std::map<std::string, WeekRecord> WeekFiles() const;
    std::map<std::string, YearRecord> YearFiles() const;
    std::int64_t TotalMinutes() const { return totalMinutes; }

  private:
    static constexpr int Years = LastYear - FirstYear + 1;
    struct Week {
        bool exists = false;
        std::array<std::int32_t, 7> minutes{}; // Monday .. Sunday
    };
    struct Year {
        bool exists = false;
        std::array<std::int32_t, 12> minutes{}; // January .. December
    };
    std::array<std::array<Week, 54>, Years> weeks{};
    std::array<Year, Years> years{};
    std::int64_t totalMinutes = 0;
};

} // namespace lumidor::testing
