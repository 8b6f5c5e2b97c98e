// The week and year usage files: their records and bytes, their names, and the
// two operations that carry the current week's and year's records between the
// files and memory.
//
// A week file is one WeekRecord of 31 bytes, a year file one YearRecord of 50
// bytes: packed, little-endian, no header. Week files are named by the calendar
// year of the day and its ISO week number, so 29-31 Dec 2014 go to 2014-1.dat
// and 1-3 Jan 2016 to 2016-53.dat; stored files rely on that naming.
#pragma once

#include "core/date.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumidor {

inline constexpr std::size_t WeekRecordSize = 31;
inline constexpr std::size_t YearRecordSize = 50;

struct WeekRecord {
    std::int8_t Week = 0;
    std::int16_t Year = 0;
    std::int32_t Minutes[7] = {}; // Monday .. Sunday
    friend bool operator==(const WeekRecord&, const WeekRecord&) = default;
};

struct YearRecord {
    std::int16_t Year = 0;
    std::int32_t Minutes[12] = {}; // January .. December
    friend bool operator==(const YearRecord&, const YearRecord&) = default;
};

// The recording state of a run: the in-memory copies of the current week's and
// year's records, and the tick counter of the minute accumulator.
struct Recorder {
    WeekRecord CurrentWeekRecord{};
    YearRecord CurrentYearRecord{};
    std::int8_t TickCounter = 0;
    // Set while a record holds minutes that its last write could not store; the
    // older file must then not overwrite them on the next read.
    bool weekUnsaved = false;
    bool yearUnsaved = false;
};

using WeekRecordBytes = std::array<std::uint8_t, WeekRecordSize>;
using YearRecordBytes = std::array<std::uint8_t, YearRecordSize>;

WeekRecordBytes EncodeWeekRecord(const WeekRecord& record);
WeekRecord DecodeWeekRecord(std::span<const std::uint8_t, WeekRecordSize> bytes);
YearRecordBytes EncodeYearRecord(const YearRecord& record);
YearRecord DecodeYearRecord(std::span<const std::uint8_t, YearRecordSize> bytes);

// Counter index of a WeekdayOfDate value (0 = Sunday): Monday 0 .. Sunday 6.
int WeekdayCounter(int weekday);

// The calendar year of a moment and the ISO week number of its day.
struct WeekOfYear {
    int year = 0;
    int week = 0;
    friend bool operator==(const WeekOfYear&, const WeekOfYear&) = default;
};
WeekOfYear WeekOfDate(DateValue moment);

// "2011-9.dat" and "2011.dat": plain decimal, no leading zeros.
std::string WeekFileName(int year, int week);
std::string YearFileName(int year);

// The names the program gives its usage files and no others: a year of 1970 ..
// 2038 (the years a DateValue can name) and a week of 1 .. 53, in plain decimal
// without sign or leading zero, and ".dat" in lower case. "2011-09.dat",
// "2011-9.DAT" or "Thumbs.db" are not usage files.
std::optional<WeekOfYear> ParseWeekFileName(std::string_view name);
std::optional<int> ParseYearFileName(std::string_view name);

// A usage file's replacement sibling ("2011-42.dat.new", "2011.dat.new") that a
// crash left behind between writing and renaming it.
bool IsLeftoverReplacement(std::string_view name);

// DataFolder + "Weeks" + "2011-42.dat" and DataFolder + "Months" + "2011.dat"
// for the moment's calendar year and week.
std::filesystem::path WeekFilePath(const std::filesystem::path& dataFolder, DateValue moment);
std::filesystem::path YearFilePath(const std::filesystem::path& dataFolder, DateValue moment);

// Loads the files of the moment's week and year into the recorder's records:
// the bytes a file has replace the record's bytes one for one (a short file
// leaves the rest as it was); a file that cannot be opened leaves its record
// unchanged. A record still holding unsaved minutes of that same file is kept
// instead. True when both files were read (or their newer records kept).
bool ReadUsageRecords(const std::filesystem::path& dataFolder, DateValue moment,
                      Recorder& recorder);

// Stores the two records into the files of the moment's week and year at
// offset 0: a new file is exactly one record long, a longer one keeps its tail.
// Each file is replaced in one step (a sibling renamed over it), so a failed
// or interrupted write leaves the old record whole. No folder is created.
// True when both records reached their files.
bool WriteUsageRecords(const std::filesystem::path& dataFolder, DateValue moment,
                       Recorder& recorder);

// Stores each record still holding minutes that its last write could not
// store into the file its own Week and Year name. For the end of a run, when
// no further minute will give them another chance. True when nothing is left
// unsaved.
bool StoreUnsavedRecords(const std::filesystem::path& dataFolder, Recorder& recorder);

} // namespace lumidor
