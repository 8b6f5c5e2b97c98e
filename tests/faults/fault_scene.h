// A data folder with something to lose, and whole recording runs over it that
// a test can disturb: minutes whose next count carries into a further byte,
// sessions in the history, limits that differ from the defaults.
#pragma once

#include "core/date.h"
#include "core/history_record.h"
#include "tests/support/temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lumidor::testing {

// Thrown by a script step to stop a run dead, as if the process were killed:
// no shutdown, no further write.
struct KilledRun {};
[[noreturn]] void KillProgram();

// Ticks one second apart; every 60th counts a minute.
void Ticks(int count);

inline constexpr std::int32_t OldWednesdayMinutes = 255; // 0xFF: the next minute carries
inline constexpr std::int32_t OldOctoberMinutes = 65535; // 0xFFFF: the next minute carries
inline constexpr int WednesdayOffset = 3 + 4 * 2;        // in the week record
inline constexpr int OctoberOffset = 2 + 4 * 9;          // in the year record

// File path relative to the data folder -> bytes; History.dat as its whole
// records only, since a piece of fewer than 8 bytes belongs to no record.
using FileSnapshot = std::map<std::string, std::vector<std::uint8_t>>;

class FaultScene {
  public:
    // Week 2011-42 and the year 2011 with carrying counters, the history with
    // this many sessions, and limits 20, 10 and 3 in Settings.ini.
    explicit FaultScene(int historySessions);
    ~FaultScene();

    const std::filesystem::path& Data() const { return data; }
    std::filesystem::path WeekFile() const;
    std::filesystem::path YearFile() const;
    std::filesystem::path HistoryFile() const;
    std::filesystem::path SettingsFile() const;

    // One recording run on Wednesday 19 October 2011, an hour after the last.
    // A KilledRun thrown by the script ends it where it stands. Returns the
    // switch-on the run took.
    // beforeStart runs once the scene is set, before the program starts.
    DateValue RunRecording(const std::function<void()>& script,
                           const std::function<void()>& beforeStart = {});

    std::int32_t WednesdayMinutes() const;
    std::int32_t OctoberMinutes() const;
    std::vector<HistoryRecord> History() const;
    std::string SettingsText() const;
    FileSnapshot Snapshot() const;

  private:
    TempFolder temp;
    std::filesystem::path program;
    std::filesystem::path data;
    int runs = 0;
};

// A recording run of one minute after a fault: it reads what is on disk and
// counts on from it, and appends its session after the trimmed history.
void ExpectNextStartGoesOnFromDisk(FaultScene& scene);

// The settings the runs write when they set the week limit field to 21.
inline constexpr const char* OldSettingsText =
    "CalendarWeeksLimit = 20\r\nYearLimit = 10\r\nHistoryItemsLimit = 3\r\n";
inline constexpr const char* NewSettingsText =
    "CalendarWeeksLimit = 21\r\nYearLimit = 10\r\nHistoryItemsLimit = 3\r\n";

} // namespace lumidor::testing
