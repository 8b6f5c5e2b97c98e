// Whole runs of the program on the headless platform: start, events, end.
#include "app/lumidor.h"
#include "core/control_numbers.h"
#include "core/date.h"
#include "core/history_record.h"
#include "platform/headless/headless.h"
#include "recording/usage_files.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

class Run : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        fs::create_directories(temp / "Lumidor");
        headless::SetProgramFilePath(temp / "Lumidor" / "Lumidor.exe");
    }
    void TearDown() override { headless::Reset(); }
    testing::TempFolder temp;
};

TEST_F(Run, RecordingRunEndsWhenAnotherProgramClosesTheWindow) {
    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    bool seenRunning = false;
    headless::QueueStep([&] {
        seenRunning = headless::MainWindowExists() && !headless::MainWindowVisible() &&
                      headless::NotificationIconPresent();
        headless::SendWindowMessage(platform::MessageClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_TRUE(seenRunning);
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_TRUE(headless::ToolkitReleased());
    EXPECT_FALSE(headless::MainWindowExists());
    EXPECT_FALSE(headless::NotificationIconPresent());
    EXPECT_TRUE(fs::is_directory(temp / "Lumidor" / "Data" / "Weeks"));
}

std::set<std::string> NamesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::vector<HistoryRecord> HistoryIn(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    std::vector<HistoryRecord> records;
    for (std::size_t at = 0; at + HistoryRecordSize <= bytes.size(); at += HistoryRecordSize)
        records.push_back(DecodeHistoryRecord(bytes.data() + at));
    return records;
}

// One recording session through every subsystem: the 60th tick counts a
// minute on disk, the end of the Windows session prunes, saves and appends,
// and the close that follows a cancelled session end appends nothing more.
TEST_F(Run, RecordingSessionCountsPrunesSavesAndAppendsOnce) {
    const fs::path data = temp / "Lumidor" / "Data";
    fs::create_directories(data / "Weeks");
    fs::create_directories(data / "Months");
    // A Wednesday in October 2011: week 2011-42.
    const DateValue start = DateFromFields(2011, 10, 19, 10, 0, 0);
    testing::SetNow(start);
    for (int week = 30; week <= 42; ++week) {
        WeekRecord record{static_cast<std::int8_t>(week), 2011, {}};
        record.Minutes[2] = week == 42 ? 100 : 1;
        const WeekRecordBytes bytes = EncodeWeekRecord(record);
        testing::WriteFileBytes(data / "Weeks" / WeekFileName(2011, week),
                                {bytes.begin(), bytes.end()});
    }
    for (int year = 2005; year <= 2011; ++year) {
        YearRecord record{static_cast<std::int16_t>(year), {}};
        record.Minutes[9] = year == 2011 ? 500 : 1;
        const YearRecordBytes bytes = EncodeYearRecord(record);
        testing::WriteFileBytes(data / "Months" / YearFileName(year), {bytes.begin(), bytes.end()});
    }
    const HistoryRecord earlier{DateFromFields(2011, 10, 18, 8, 0, 0),
                                DateFromFields(2011, 10, 18, 17, 0, 0)};
    const auto earlierBytes = EncodeHistoryRecord(earlier);
    testing::WriteFileBytes(data / "History.dat", {earlierBytes.begin(), earlierBytes.end()});

    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    std::int32_t afterFiftyNine = 0;
    std::int32_t afterSixty = 0;
    std::int32_t octoberAfterSixty = 0;
    std::intptr_t endSessionAnswer = 0;
    std::size_t historyAfterEndSession = 0;
    auto wednesday = [&] {
        const std::vector<std::uint8_t> bytes =
            testing::ReadFileBytes(data / "Weeks" / "2011-42.dat");
        return DecodeWeekRecord(
                   std::span<const std::uint8_t, WeekRecordSize>(bytes.data(), WeekRecordSize))
            .Minutes[2];
    };
    headless::QueueStep([&] {
        // The history list shows the earlier session and the running one.
        EXPECT_EQ(platform::ItemCount(control::HistoryList), 2);
        for (int tick = 1; tick < 60; ++tick) {
            testing::AdvanceClock(1);
            headless::DeliverTicks(1);
        }
        afterFiftyNine = wednesday();
        testing::AdvanceClock(1);
        headless::DeliverTicks(1);
        afterSixty = wednesday();
        const std::vector<std::uint8_t> year = testing::ReadFileBytes(data / "Months" / "2011.dat");
        octoberAfterSixty = DecodeYearRecord(std::span<const std::uint8_t, YearRecordSize>(
                                                 year.data(), YearRecordSize))
                                .Minutes[9];
        testing::AdvanceClock(3600);
        endSessionAnswer = headless::SendWindowMessage(platform::MessageQueryEndSession);
        historyAfterEndSession = HistoryIn(data / "History.dat").size();
    });
    // Another program cancelled the session end; later a plain close comes.
    headless::QueueStep([] {
        testing::AdvanceClock(60);
        headless::SendWindowMessage(platform::MessageClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_FALSE(headless::ScriptRanOut());

    EXPECT_EQ(afterFiftyNine, 100);
    EXPECT_EQ(afterSixty, 101);
    EXPECT_EQ(octoberAfterSixty, 501);
    EXPECT_EQ(endSessionAnswer, 1);
    EXPECT_EQ(historyAfterEndSession, 2u);
    EXPECT_EQ(HistoryIn(data / "History.dat"),
              (std::vector<HistoryRecord>{earlier, {start, start + 60 + 3600}}));
    EXPECT_EQ(testing::ReadFileBytes(data / "Settings.ini").size(), 63u);
    // The default limits: 8 weeks and 4 years, the newest kept.
    EXPECT_EQ(NamesIn(data / "Weeks"),
              (std::set<std::string>{"2011-35.dat", "2011-36.dat", "2011-37.dat", "2011-38.dat",
                                     "2011-39.dat", "2011-40.dat", "2011-41.dat", "2011-42.dat"}));
    EXPECT_EQ(NamesIn(data / "Months"),
              (std::set<std::string>{"2008.dat", "2009.dat", "2010.dat", "2011.dat"}));
}

// Viewing mode: the settings are saved and the usage files pruned, but no
// minute is counted and no session appended.
TEST_F(Run, ViewingSessionSavesTheLimitsTheUserSetAndRecordsNothing) {
    const fs::path data = temp / "Lumidor" / "Data";
    fs::create_directories(data / "Weeks");
    testing::SetNow(DateFromFields(2011, 10, 19, 10, 0, 0));
    for (int week = 40; week <= 42; ++week)
        testing::WriteFileBytes(data / "Weeks" / WeekFileName(2011, week),
                                std::vector<std::uint8_t>(WeekRecordSize, 0));
    headless::SetCommandLine("\"Lumidor.exe\"");
    headless::QueueStep([] {
        headless::DeliverTicks(120);
        platform::SetControlState(control::WeekLimitField, 2);
        platform::SetControlState(control::HistoryLimitField, 250);
        headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_FALSE(fs::exists(data / "History.dat"));
    EXPECT_EQ(NamesIn(data / "Weeks"), (std::set<std::string>{"2011-41.dat", "2011-42.dat"}));
    EXPECT_EQ(testing::ReadFileBytes(data / "Weeks" / "2011-42.dat"),
              std::vector<std::uint8_t>(WeekRecordSize, 0));
    const std::vector<std::uint8_t> settings = testing::ReadFileBytes(data / "Settings.ini");
    EXPECT_EQ(std::string(settings.begin(), settings.end()),
              "CalendarWeeksLimit = 2\r\nYearLimit = 4\r\nHistoryItemsLimit = 100\r\n");
}

TEST_F(Run, ViewingRunShowsTheWindowAtOnce) {
    headless::SetCommandLine("\"Lumidor.exe\"");
    bool seenVisible = false;
    headless::QueueStep([&] {
        seenVisible = headless::MainWindowVisible() && !headless::NotificationIconPresent();
        headless::SendWindowMessage(platform::MessageSysCommand, platform::SysCommandClose);
    });
    EXPECT_EQ(RunLumidor(), 0);
    EXPECT_TRUE(seenVisible);
    EXPECT_TRUE(headless::ShownMessages().empty());
    EXPECT_TRUE(headless::ToolkitReleased());
}

TEST_F(Run, AWindowThatCannotBeCreatedEndsTheRunAtOnce) {
    headless::SetCommandLine("\"Lumidor.exe\" /autorun");
    headless::AllowMainWindow(false);
    EXPECT_EQ(RunLumidor(), 0);
    // The event loop never waited, so the empty script did not run out.
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_TRUE(headless::Controls().empty());
    EXPECT_FALSE(headless::TimerRunning());
    EXPECT_TRUE(headless::ToolkitReleased());
    EXPECT_FALSE(fs::exists(temp / "Lumidor" / "Data" / "Settings.ini"));
    EXPECT_FALSE(fs::exists(temp / "Lumidor" / "Data" / "History.dat"));
}

} // namespace
} // namespace lumidor
