#include "recording/usage_files.h"

#include "core/bytes.h"
#include "core/data_folder.h"
#include "platform/files.h"

#include <algorithm>
#include <vector>

namespace lumidor {
namespace {

constexpr int FirstRecordedYear = 1970;
constexpr int LastRecordedYear = 2038;
constexpr int LastWeek = 53;
constexpr std::string_view UsageFileExtension = ".dat";

// Plain decimal of one to four digits without sign or leading zero, within
// lowest .. highest.
std::optional<int> ParsePlainNumber(std::string_view digits, int lowest, int highest) {
    if (digits.empty() || digits.size() > 4 || digits.front() == '0')
        return std::nullopt;
    int value = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<std::string_view> StemOfUsageFile(std::string_view name) {
    if (name.size() <= UsageFileExtension.size() || !name.ends_with(UsageFileExtension))
        return std::nullopt;
    return name.substr(0, name.size() - UsageFileExtension.size());
}

bool IsRecordedYear(int year) {
    return year >= FirstRecordedYear && year <= LastRecordedYear;
}

// The bytes the file has replace the first bytes of the record; the rest keep
// what they held. False when the file cannot be opened.
bool LoadRecordBytes(const std::filesystem::path& path, std::span<std::uint8_t> record) {
    platform::OpenFile* file = platform::OpenForReading(path);
    if (file == nullptr)
        return false;
    // Read aside first: the seam does not promise to leave unread bytes alone.
    std::array<std::uint8_t, YearRecordSize> read{};
    const std::size_t wanted = std::min(record.size(), read.size());
    const std::size_t count = platform::ReadBytes(file, read.data(), wanted);
    platform::CloseFile(file);
    std::copy_n(read.begin(), std::min(count, wanted), record.begin());
    return true;
}

// A longer file keeps what lies beyond its record. Tails beyond this are
// damage nobody reads; copying them every minute would cost more than it keeps.
constexpr std::uint64_t LongestKeptTail = 64 * 1024;

// The bytes after the record in an existing file: empty when there are none,
// no value when they exist but cannot be read or are too long to copy.
std::optional<std::vector<std::uint8_t>> TailBeyond(const std::filesystem::path& path,
                                                    std::size_t recordSize) {
    const platform::PathInfo info = platform::QueryPath(path);
    if (!info.exists || info.size <= recordSize)
        return std::vector<std::uint8_t>{};
    if (info.size - recordSize > LongestKeptTail)
        return std::nullopt;
    platform::OpenFile* file = platform::OpenForReading(path);
    if (file == nullptr)
        return std::nullopt;
    std::vector<std::uint8_t> tail(static_cast<std::size_t>(info.size - recordSize));
    const bool read = platform::SeekTo(file, recordSize) &&
                      platform::ReadBytes(file, tail.data(), tail.size()) == tail.size();
    platform::CloseFile(file);
    if (!read)
        return std::nullopt;
    return tail;
}

// Writes the record at offset 0 in place, keeping any tail however long.
bool StoreRecordInPlace(const std::filesystem::path& path, std::span<const std::uint8_t> record) {
    platform::OpenFile* file = platform::OpenForReadingAndWriting(path);
    if (file == nullptr)
        return false;
    bool stored =
        platform::SeekTo(file, 0) && platform::WriteBytes(file, record.data(), record.size());
    stored = platform::CloseFile(file) && stored;
    return stored;
}

// The record replaces the file's first bytes in one step, so a write cut
// short or a crash leaves the old record whole: a counter carrying into its
// next byte must never be stored half. A new file is exactly one record long;
// a longer one keeps its tail. False when the record may not have been stored.
bool StoreRecordBytes(const std::filesystem::path& path, std::span<const std::uint8_t> record) {
    std::optional<std::vector<std::uint8_t>> tail = TailBeyond(path, record.size());
    if (!tail) {
        if (platform::QueryPath(path).size > record.size() + LongestKeptTail)
            return StoreRecordInPlace(path, record);
        return false;
    }
    std::vector<std::uint8_t> bytes(record.begin(), record.end());
    bytes.insert(bytes.end(), tail->begin(), tail->end());
    return platform::ReplaceFileAtomically(path, bytes);
}

bool ReadWeekFile(const std::filesystem::path& path, WeekRecord& record) {
    WeekRecordBytes bytes = EncodeWeekRecord(record);
    if (!LoadRecordBytes(path, bytes))
        return false;
    record = DecodeWeekRecord(bytes);
    return true;
}

bool ReadYearFile(const std::filesystem::path& path, YearRecord& record) {
    YearRecordBytes bytes = EncodeYearRecord(record);
    if (!LoadRecordBytes(path, bytes))
        return false;
    record = DecodeYearRecord(bytes);
    return true;
}

// A record stored into the file its own Week and Year name, whatever the
// current date is. False for a record that names no usage file.
bool StoreOwnWeekFile(const std::filesystem::path& dataFolder, const WeekRecord& record) {
    if (!IsRecordedYear(record.Year) || record.Week < 1 || record.Week > LastWeek)
        return false;
    return StoreRecordBytes(WeeksFolder(dataFolder) / WeekFileName(record.Year, record.Week),
                            EncodeWeekRecord(record));
}

bool StoreOwnYearFile(const std::filesystem::path& dataFolder, const YearRecord& record) {
    if (!IsRecordedYear(record.Year))
        return false;
    return StoreRecordBytes(MonthsFolder(dataFolder) / YearFileName(record.Year),
                            EncodeYearRecord(record));
}

// A record whose last write failed holds minutes its file lacks. If it belongs
// to the file about to be read, it is kept instead of that older file. If it
// belongs to an earlier week or year (the week changed while its file could
// not be written), it gets one more chance to reach its own file before the
// current file replaces it.
bool KeepsUnsavedWeek(const std::filesystem::path& dataFolder, WeekOfYear current,
                      Recorder& recorder) {
    if (!recorder.weekUnsaved)
        return false;
    const WeekRecord& record = recorder.CurrentWeekRecord;
    if (WeekOfYear{record.Year, record.Week} == current)
        return true;
    StoreOwnWeekFile(dataFolder, record);
    recorder.weekUnsaved = false;
    return false;
}

bool KeepsUnsavedYear(const std::filesystem::path& dataFolder, int currentYear,
                      Recorder& recorder) {
    if (!recorder.yearUnsaved)
        return false;
    const YearRecord& record = recorder.CurrentYearRecord;
    if (record.Year == currentYear)
        return true;
    StoreOwnYearFile(dataFolder, record);
    recorder.yearUnsaved = false;
    return false;
}

} // namespace

WeekRecordBytes EncodeWeekRecord(const WeekRecord& record) {
    WeekRecordBytes bytes{};
    bytes[0] = static_cast<std::uint8_t>(record.Week);
    StoreInt16(&bytes[1], record.Year);
    for (std::size_t day = 0; day < 7; ++day)
        StoreInt32(&bytes[3 + 4 * day], record.Minutes[day]);
    return bytes;
}

WeekRecord DecodeWeekRecord(std::span<const std::uint8_t, WeekRecordSize> bytes) {
    WeekRecord record;
    record.Week = static_cast<std::int8_t>(bytes[0]);
    record.Year = LoadInt16(&bytes[1]);
    for (std::size_t day = 0; day < 7; ++day)
        record.Minutes[day] = LoadInt32(&bytes[3 + 4 * day]);
    return record;
}

YearRecordBytes EncodeYearRecord(const YearRecord& record) {
    YearRecordBytes bytes{};
    StoreInt16(&bytes[0], record.Year);
    for (std::size_t month = 0; month < 12; ++month)
        StoreInt32(&bytes[2 + 4 * month], record.Minutes[month]);
    return bytes;
}

YearRecord DecodeYearRecord(std::span<const std::uint8_t, YearRecordSize> bytes) {
    YearRecord record;
    record.Year = LoadInt16(&bytes[0]);
    for (std::size_t month = 0; month < 12; ++month)
        record.Minutes[month] = LoadInt32(&bytes[2 + 4 * month]);
    return record;
}

int WeekdayCounter(int weekday) {
    return (weekday + 6) % 7;
}

WeekOfYear WeekOfDate(DateValue moment) {
    const int year = YearOfDate(moment);
    const int week =
        CalendarWeek(static_cast<std::int16_t>(year), static_cast<std::int8_t>(MonthOfDate(moment)),
                     static_cast<std::int8_t>(DayOfDate(moment)));
    return {year, week};
}

std::string WeekFileName(int year, int week) {
    return std::to_string(year) + "-" + std::to_string(week) + std::string(UsageFileExtension);
}

std::string YearFileName(int year) {
    return std::to_string(year) + std::string(UsageFileExtension);
}

std::optional<WeekOfYear> ParseWeekFileName(std::string_view name) {
    const auto stem = StemOfUsageFile(name);
    if (!stem)
        return std::nullopt;
    const auto dash = stem->find('-');
    if (dash == std::string_view::npos)
        return std::nullopt;
    const auto year = ParsePlainNumber(stem->substr(0, dash), FirstRecordedYear, LastRecordedYear);
    const auto week = ParsePlainNumber(stem->substr(dash + 1), 1, LastWeek);
    if (!year || !week)
        return std::nullopt;
    return WeekOfYear{*year, *week};
}

std::optional<int> ParseYearFileName(std::string_view name) {
    const auto stem = StemOfUsageFile(name);
    if (!stem)
        return std::nullopt;
    return ParsePlainNumber(*stem, FirstRecordedYear, LastRecordedYear);
}

std::filesystem::path WeekFilePath(const std::filesystem::path& dataFolder, DateValue moment) {
    const WeekOfYear week = WeekOfDate(moment);
    return WeeksFolder(dataFolder) / WeekFileName(week.year, week.week);
}

std::filesystem::path YearFilePath(const std::filesystem::path& dataFolder, DateValue moment) {
    return MonthsFolder(dataFolder) / YearFileName(YearOfDate(moment));
}

bool ReadUsageRecords(const std::filesystem::path& dataFolder, DateValue moment,
                      Recorder& recorder) {
    if (moment < 0)
        return false;
    bool complete = true;
    // The week file is read and closed before the year file is opened.
    if (!KeepsUnsavedWeek(dataFolder, WeekOfDate(moment), recorder))
        complete = ReadWeekFile(WeekFilePath(dataFolder, moment), recorder.CurrentWeekRecord);
    if (!KeepsUnsavedYear(dataFolder, YearOfDate(moment), recorder))
        complete =
            ReadYearFile(YearFilePath(dataFolder, moment), recorder.CurrentYearRecord) && complete;
    return complete;
}

bool WriteUsageRecords(const std::filesystem::path& dataFolder, DateValue moment,
                       Recorder& recorder) {
    if (moment < 0)
        return false;
    const bool weekStored = StoreRecordBytes(WeekFilePath(dataFolder, moment),
                                             EncodeWeekRecord(recorder.CurrentWeekRecord));
    recorder.weekUnsaved = !weekStored;
    const bool yearStored = StoreRecordBytes(YearFilePath(dataFolder, moment),
                                             EncodeYearRecord(recorder.CurrentYearRecord));
    recorder.yearUnsaved = !yearStored;
    return weekStored && yearStored;
}

bool IsLeftoverReplacement(std::string_view name) {
    if (!name.ends_with(platform::ReplacementSuffix))
        return false;
    name.remove_suffix(platform::ReplacementSuffix.size());
    return ParseWeekFileName(name) || ParseYearFileName(name);
}

bool StoreUnsavedRecords(const std::filesystem::path& dataFolder, Recorder& recorder) {
    if (recorder.weekUnsaved)
        recorder.weekUnsaved = !StoreOwnWeekFile(dataFolder, recorder.CurrentWeekRecord);
    if (recorder.yearUnsaved)
        recorder.yearUnsaved = !StoreOwnYearFile(dataFolder, recorder.CurrentYearRecord);
    return !recorder.weekUnsaved && !recorder.yearUnsaved;
}

} // namespace lumidor
