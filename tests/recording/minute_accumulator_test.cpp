// The minute accumulator: counting one minute into the records, and whole
// recording runs on the headless platform with a fake clock that moves one
// second per delivered tick, checked counter by counter against the files.
#include "core/control_numbers.h"
#include "core/data_folder.h"
#include "platform/headless/headless.h"
#include "platform/toolkit.h"
#include "recording/minute_accumulator.h"
#include "tests/recording/record_printing.h"
#include "tests/recording/uptime_controls.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

enum DayCounter { Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday };
enum MonthCounter {
    January,
    February,
    March,
    April,
    May,
    June,
    July,
    August,
    September,
    October,
    November,
    December
};

using Counters = std::initializer_list<std::pair<int, std::int32_t>>;

WeekRecord WeekWith(int week, int year, Counters counters = {}) {
    WeekRecord record{static_cast<std::int8_t>(week), static_cast<std::int16_t>(year), {}};
    for (const auto& [day, minutes] : counters)
        record.Minutes[day] = minutes;
    return record;
}

YearRecord YearWith(int year, Counters counters = {}) {
    YearRecord record{static_cast<std::int16_t>(year), {}};
    for (const auto& [month, minutes] : counters)
        record.Minutes[month] = minutes;
    return record;
}

struct CountCase {
    const char* name;
    WeekRecord weekBefore;
    YearRecord yearBefore;
    DateValue now;
    WeekRecord weekAfter;
    YearRecord yearAfter;
};

TEST(CountMinute, CountsTodayAndStartsFreshRecordsWithThatMinute) {
    constexpr std::int32_t Full = std::numeric_limits<std::int32_t>::max();
    const DateValue wednesday = DateFromFields(2011, 10, 19, 12, 0, 30);
    const CountCase cases[] = {
        {"same week and year", WeekWith(42, 2011, {{Wednesday, 5}}), YearWith(2011, {{October, 7}}),
         wednesday, WeekWith(42, 2011, {{Wednesday, 6}}), YearWith(2011, {{October, 8}})},
        {"empty records at the start of a run",
         {},
         {},
         wednesday,
         WeekWith(42, 2011, {{Wednesday, 1}}),
         YearWith(2011, {{October, 1}})},
        {"another week of the year", WeekWith(41, 2011, {{Monday, 9}}),
         YearWith(2011, {{October, 7}}), wednesday, WeekWith(42, 2011, {{Wednesday, 1}}),
         YearWith(2011, {{October, 8}})},
        {"the same week number of another year", WeekWith(42, 2010, {{Wednesday, 9}}),
         YearWith(2010, {{October, 7}}), wednesday, WeekWith(42, 2011, {{Wednesday, 1}}),
         YearWith(2011, {{October, 1}})},
        {"Sunday is the last counter", WeekWith(42, 2011), YearWith(2011),
         DateFromFields(2011, 10, 23, 23, 59, 30), WeekWith(42, 2011, {{Sunday, 1}}),
         YearWith(2011, {{October, 1}})},
        {"00:00:30 on a Tuesday goes to Tuesday", WeekWith(42, 2011, {{Monday, 1439}}),
         YearWith(2011), DateFromFields(2011, 10, 18, 0, 0, 30),
         WeekWith(42, 2011, {{Monday, 1439}, {Tuesday, 1}}), YearWith(2011, {{October, 1}})},
        {"29 Dec 2014 joins the January file 2014-1",
         WeekWith(1, 2014, {{Monday, 60}, {Wednesday, 100}}), YearWith(2014, {{January, 5}}),
         DateFromFields(2014, 12, 29, 8, 0, 30),
         WeekWith(1, 2014, {{Monday, 61}, {Wednesday, 100}}),
         YearWith(2014, {{January, 5}, {December, 1}})},
        {"1 Jan 2016 starts 2016-53 and the year 2016", WeekWith(53, 2015, {{Thursday, 10}}),
         YearWith(2015, {{December, 10}}), DateFromFields(2016, 1, 1, 0, 0, 30),
         WeekWith(53, 2016, {{Friday, 1}}), YearWith(2016, {{January, 1}})},
        {"a full counter stays full", WeekWith(42, 2011, {{Wednesday, Full}}),
         YearWith(2011, {{October, Full}}), wednesday, WeekWith(42, 2011, {{Wednesday, Full}}),
         YearWith(2011, {{October, Full}})},
        {"an invalid moment counts nothing", WeekWith(42, 2011), YearWith(2011), InvalidDate,
         WeekWith(42, 2011), YearWith(2011)},
    };
    for (const CountCase& c : cases) {
        Recorder recorder{c.weekBefore, c.yearBefore, 0};
        CountMinute(recorder, c.now);
        EXPECT_EQ(recorder.CurrentWeekRecord, c.weekAfter) << c.name;
        EXPECT_EQ(recorder.CurrentYearRecord, c.yearAfter) << c.name;
    }
}

// ---- whole runs ------------------------------------------------------------------

// One step of a run: ticks (the clock moves one second before each), a jump of
// the wall clock, or another process holding or releasing a usage file.
struct Step {
    enum Kind { Ticks, ClockBy, ClockTo, HoldForReading, HoldForWriting, Release } kind;
    long long value = 0;
    const char* file = "";
};

Step Ticks(long long ticks) {
    return {Step::Ticks, ticks};
}
Step Minutes(long long minutes) {
    return {Step::Ticks, minutes * TicksPerMinute};
}
Step ClockBy(long long seconds) {
    return {Step::ClockBy, seconds};
}
Step ClockTo(DateValue moment) {
    return {Step::ClockTo, moment};
}
Step HoldForReading(const char* file) {
    return {Step::HoldForReading, 0, file};
}
Step HoldForWriting(const char* file) {
    return {Step::HoldForWriting, 0, file};
}
Step Release() {
    return {Step::Release};
}

struct StoredFile {
    const char* file; // "Weeks/2011-42.dat" or "Months/2011.dat"
    std::vector<std::uint8_t> bytes;
};

StoredFile Stored(const char* file, const WeekRecord& record) {
    const auto bytes = EncodeWeekRecord(record);
    return {file, {bytes.begin(), bytes.end()}};
}
StoredFile Stored(const char* file, const YearRecord& record) {
    const auto bytes = EncodeYearRecord(record);
    return {file, {bytes.begin(), bytes.end()}};
}

// A counter of a usage file after the run; every counter not named is 0.
struct Expected {
    const char* file;
    int counter;
    std::int32_t minutes;
};

struct RunCase {
    const char* name;
    DateValue start; // the clock before the first tick
    std::vector<StoredFile> before;
    std::vector<Step> steps;
    std::vector<Expected> after; // the files named here, and no others, exist afterwards
};

class RecordingRun : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        testing::CreateUptimeControls();
        app.DataFolder = temp / "Data" / "";
        app.recordingMode = true;
    }
    void TearDown() override { headless::Reset(); }

    void Run(const RunCase& c) {
        fs::remove_all(temp / "Data");
        CreateDataFolders(app.DataFolder);
        for (const StoredFile& stored : c.before)
            testing::WriteFileBytes(app.DataFolder / stored.file, stored.bytes);
        recorder = Recorder{};
        testing::SetNow(c.start);
        app.timer = platform::StartTimer(1000, [this] { OnTimerTick(app, recorder); });
        for (const Step& step : c.steps)
            Perform(step);
        headless::ReleaseHeldFiles();
        platform::StopTimer(app.timer);
    }

    void Perform(const Step& step) {
        switch (step.kind) {
        case Step::Ticks:
            for (long long tick = 0; tick < step.value; ++tick) {
                testing::AdvanceClock(1);
                headless::DeliverTicks(1);
            }
            break;
        case Step::ClockBy:
            testing::AdvanceClock(static_cast<int>(step.value));
            break;
        case Step::ClockTo:
            testing::SetNow(static_cast<DateValue>(step.value));
            break;
        case Step::HoldForReading:
        case Step::HoldForWriting:
            ASSERT_TRUE(
                headless::HoldFile(app.DataFolder / step.file, step.kind == Step::HoldForWriting));
            break;
        case Step::Release:
            headless::ReleaseHeldFiles();
            break;
        }
    }

    // Every usage file on disk, its header matching its name, every counter.
    void ExpectFiles(const RunCase& c) {
        std::map<std::string, std::map<int, std::int32_t>> expected;
        for (const Expected& e : c.after)
            expected[e.file][e.counter] += e.minutes;

        std::set<std::string> found;
        for (const char* folder : {"Weeks", "Months"}) {
            for (const auto& entry : fs::directory_iterator(app.DataFolder / folder)) {
                const std::string name = entry.path().filename().string();
                const std::string file = std::string(folder) + "/" + name;
                found.insert(file);
                const auto bytes = testing::ReadFileBytes(entry.path());
                const auto named = expected.find(file);
                const std::map<int, std::int32_t> counters =
                    named != expected.end() ? named->second : std::map<int, std::int32_t>{};
                if (std::string(folder) == "Weeks") {
                    ASSERT_EQ(bytes.size(), WeekRecordSize) << c.name << ": " << file;
                    const WeekRecord record =
                        DecodeWeekRecord(std::span<const std::uint8_t, WeekRecordSize>(
                            bytes.data(), WeekRecordSize));
                    EXPECT_EQ(WeekFileName(record.Year, record.Week), name) << c.name;
                    for (int day = 0; day < 7; ++day)
                        EXPECT_EQ(record.Minutes[day],
                                  counters.contains(day) ? counters.at(day) : 0)
                            << c.name << ": " << file << " day counter " << day;
                } else {
                    ASSERT_EQ(bytes.size(), YearRecordSize) << c.name << ": " << file;
                    const YearRecord record =
                        DecodeYearRecord(std::span<const std::uint8_t, YearRecordSize>(
                            bytes.data(), YearRecordSize));
                    EXPECT_EQ(YearFileName(record.Year), name) << c.name;
                    for (int month = 0; month < 12; ++month)
                        EXPECT_EQ(record.Minutes[month],
                                  counters.contains(month) ? counters.at(month) : 0)
                            << c.name << ": " << file << " month counter " << month;
                }
            }
        }
        std::set<std::string> named;
        for (const auto& [file, counters] : expected)
            named.insert(file);
        EXPECT_EQ(found, named) << c.name;
    }

    testing::TempFolder temp;
    App app;
    Recorder recorder;
};

TEST_F(RecordingRun, EveryDeliveredMinuteLandsInTheFilesOfItsMoment) {
    const DateValue wednesday = DateFromFields(2011, 10, 19, 12, 0, 30);
    const RunCase cases[] = {
        {"59 ticks count nothing", wednesday, {}, {Ticks(59)}, {}},
        {"60 ticks count one minute",
         wednesday,
         {},
         {Ticks(60)},
         {{"Weeks/2011-42.dat", Wednesday, 1}, {"Months/2011.dat", October, 1}}},
        {"119 ticks count one minute",
         wednesday,
         {},
         {Ticks(119)},
         {{"Weeks/2011-42.dat", Wednesday, 1}, {"Months/2011.dat", October, 1}}},
        {"120 ticks count two minutes",
         wednesday,
         {},
         {Ticks(120)},
         {{"Weeks/2011-42.dat", Wednesday, 2}, {"Months/2011.dat", October, 2}}},
        {"the files of the day are added to",
         wednesday,
         {Stored("Weeks/2011-42.dat", WeekWith(42, 2011, {{Monday, 300}, {Wednesday, 100}})),
          Stored("Months/2011.dat", YearWith(2011, {{October, 1000}}))},
         {Minutes(1)},
         {{"Weeks/2011-42.dat", Monday, 300},
          {"Weeks/2011-42.dat", Wednesday, 101},
          {"Months/2011.dat", October, 1001}}},
        {"a week file copied from another week starts afresh",
         wednesday,
         {Stored("Weeks/2011-42.dat", WeekWith(41, 2011, {{Monday, 77}}))},
         {Minutes(2)},
         {{"Weeks/2011-42.dat", Wednesday, 2}, {"Months/2011.dat", October, 2}}},
        {"change of week",
         DateFromFields(2011, 10, 23, 23, 0, 30),
         {},
         {Minutes(120)},
         {{"Weeks/2011-42.dat", Sunday, 59},
          {"Weeks/2011-43.dat", Monday, 61},
          {"Months/2011.dat", October, 120}}},
        {"New Year 2014 to 2015: 31 Dec joins the January file of week 1",
         DateFromFields(2014, 12, 31, 23, 0, 30),
         {Stored("Weeks/2014-1.dat", WeekWith(1, 2014, {{Wednesday, 100}, {Thursday, 50}}))},
         {Minutes(120)},
         {{"Weeks/2014-1.dat", Wednesday, 159},
          {"Weeks/2014-1.dat", Thursday, 50},
          {"Weeks/2015-1.dat", Thursday, 61},
          {"Months/2014.dat", December, 59},
          {"Months/2015.dat", January, 61}}},
        {"New Year 2015 to 2016: 1 Jan goes to week 53 of the new year",
         DateFromFields(2015, 12, 31, 23, 0, 30),
         {},
         {Minutes(120)},
         {{"Weeks/2015-53.dat", Thursday, 59},
          {"Weeks/2016-53.dat", Friday, 61},
          {"Months/2015.dat", December, 59},
          {"Months/2016.dat", January, 61}}},
        // 26 Oct 2014: at 03:00:00 the wall clock steps back to 02:00:00.
        {"the 25-hour day at the end of daylight saving time",
         DateFromFields(2014, 10, 25, 23, 59, 30),
         {},
         {Ticks(10829), ClockBy(-3600), Ticks(90630 - 10829)},
         {{"Weeks/2014-43.dat", Sunday, 1500},
          {"Weeks/2014-44.dat", Monday, 10},
          {"Months/2014.dat", October, 1510}}},
        {"a clock set back within the day, then into the week before, then forward",
         wednesday,
         {Stored("Weeks/2011-41.dat", WeekWith(41, 2011, {{Monday, 500}}))},
         {Minutes(10), ClockBy(-7200), Minutes(5), ClockTo(DateFromFields(2011, 10, 10, 12, 0, 30)),
          Minutes(10), ClockTo(DateFromFields(2011, 10, 19, 14, 0, 30)), Minutes(10)},
         {{"Weeks/2011-42.dat", Wednesday, 25},
          {"Weeks/2011-41.dat", Monday, 510},
          {"Months/2011.dat", October, 35}}},
        {"a file read by another process during a minute",
         wednesday,
         {},
         {Minutes(1), HoldForReading("Weeks/2011-42.dat"), Minutes(2), Release(), Minutes(1)},
         {{"Weeks/2011-42.dat", Wednesday, 4}, {"Months/2011.dat", October, 4}}},
        {"a file written by another process during a minute",
         wednesday,
         {},
         {Minutes(1), HoldForWriting("Months/2011.dat"), Minutes(2), Release(), Minutes(1)},
         {{"Weeks/2011-42.dat", Wednesday, 4}, {"Months/2011.dat", October, 4}}},
        {"a week file held across the change of week",
         DateFromFields(2011, 10, 23, 23, 57, 30),
         {},
         {Minutes(1), HoldForReading("Weeks/2011-42.dat"), Minutes(1), Release(), Minutes(1)},
         {{"Weeks/2011-42.dat", Sunday, 2},
          {"Weeks/2011-43.dat", Monday, 1},
          {"Months/2011.dat", October, 3}}},
    };
    for (const RunCase& c : cases) {
        Run(c);
        ExpectFiles(c);
    }
}

TEST_F(RecordingRun, ViewingModeNeverOpensAUsageFile) {
    app.recordingMode = false;
    CreateDataFolders(app.DataFolder);
    testing::SetNow(DateFromFields(2011, 10, 19, 12, 0, 0));
    app.timer = platform::StartTimer(1000, [this] { OnTimerTick(app, recorder); });
    headless::DeliverTicks(60);
    EXPECT_EQ(recorder.TickCounter, 60) << "advances, but is reset only when recording";
    headless::DeliverTicks(3 * 3600 - 60);
    EXPECT_EQ(headless::FileOpenCount(), 0);
    EXPECT_TRUE(fs::is_empty(app.DataFolder / "Weeks"));
    EXPECT_TRUE(fs::is_empty(app.DataFolder / "Months"));
    EXPECT_EQ(headless::FindControl(control::SecondsField)->textSets, 3 * 3600);
}

} // namespace
} // namespace lumidor
