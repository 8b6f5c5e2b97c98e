// A year of recording sessions, each a whole run of the program, checked
// against an independent count of every minute, and the history and memory
// after every run.
#include "app/lumidor.h"
#include "core/history_record.h"
#include "platform/headless/headless.h"
#include "recording/usage_files.h"
#include "tests/recording/record_printing.h"
#include "tests/simulation/allocation_counter.h"
#include "tests/simulation/session_plan.h"
#include "tests/simulation/usage_model.h"
#include "tests/support/headless_support.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

// The limit fields' largest value: all weeks and years of the span survive.
constexpr int Limit = 100;
constexpr int HistoryKept = Limit + 1; // the trimmed list plus the run's own record

std::vector<HistoryRecord> HistoryIn(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    std::vector<HistoryRecord> records;
    for (std::size_t at = 0; at + HistoryRecordSize <= bytes.size(); at += HistoryRecordSize)
        records.push_back(DecodeHistoryRecord(bytes.data() + at));
    return records;
}

void WriteRecordFile(const fs::path& file, std::span<const std::uint8_t> bytes) {
    testing::WriteFileBytes(file, {bytes.begin(), bytes.end()});
}

DateValue PlannedEnd(const testing::Session& session) {
    DateValue end = session.start;
    for (const testing::Segment& segment : session.segments)
        end += segment.ticks + segment.jumpAfter;
    return end;
}

// The script of one run: ticks one second apart, every 60th counted in the
// model at the moment the program reads; then the end the plan names.
// switchOff receives the moment the program must store as the session end.
void QueueSession(const testing::Session& session, testing::UsageModel& model,
                  DateValue& switchOff) {
    headless::QueueStep([&session, &model, &switchOff] {
        int ticks = 0;
        for (const testing::Segment& segment : session.segments) {
            for (int tick = 0; tick < segment.ticks; ++tick) {
                testing::AdvanceClock(1);
                headless::DeliverTicks(1);
                if (++ticks % 60 == 0)
                    model.CountMinute(testing::Now());
            }
            testing::AdvanceClock(segment.jumpAfter);
        }
        testing::AdvanceClock(7);
        switchOff = testing::Now();
        if (session.end == testing::SessionEnd::Close) {
            headless::SendWindowMessage(platform::MessageClose);
            return;
        }
        headless::SendWindowMessage(platform::MessageQueryEndSession);
        // The end was cancelled: the timer stays stopped and counts nothing more.
        for (int tick = 0; tick < 150; ++tick) {
            testing::AdvanceClock(1);
            headless::DeliverTicks(1);
        }
        headless::SendWindowMessage(platform::MessageClose);
    });
}

TEST(SimulatedYear, EveryMinuteAndSessionIsOnDiskAndMemoryStaysFlat) {
    testing::TempFolder temp;
    const fs::path program = temp / "Lumidor" / "Lumidor.exe";
    const fs::path data = temp / "Lumidor" / "Data";
    fs::create_directories(data / "Weeks");
    fs::create_directories(data / "Months");
    testing::WriteFileText(
        data / "Settings.ini",
        "CalendarWeeksLimit = 100\r\nYearLimit = 100\r\nHistoryItemsLimit = 100\r\n");

    // Early January 2014 was recorded a year before: 29-31 December 2014 lie
    // in week 1 of 2015 and are added to the same file, 2014-1.dat.
    testing::UsageModel model;
    const WeekRecord earlyJanuary{1, 2014, {0, 0, 300, 200, 100, 50, 25}};
    const YearRecord year2014{2014, {675}};
    model.Seed(earlyJanuary);
    model.Seed(year2014);
    WriteRecordFile(data / "Weeks" / "2014-1.dat", EncodeWeekRecord(earlyJanuary));
    WriteRecordFile(data / "Months" / "2014.dat", EncodeYearRecord(year2014));

    const std::vector<testing::Session> plan = testing::SimulatedYearPlan();
    for (std::size_t run = 1; run < plan.size(); ++run)
        ASSERT_LT(PlannedEnd(plan[run - 1]), plan[run].start) << "run " << run;

    std::vector<HistoryRecord> sessions;
    sessions.reserve(plan.size());
    std::vector<long long> liveAfterRun;
    liveAfterRun.reserve(plan.size());
    for (const testing::Session& session : plan) {
        headless::Reset();
        headless::SetProgramFilePath(program);
        headless::SetCommandLine("\"Lumidor.exe\" /autorun");
        testing::SetNow(session.start);
        DateValue switchOff = InvalidDate;
        QueueSession(session, model, switchOff);
        ASSERT_EQ(RunLumidor(), 0);
        ASSERT_FALSE(headless::ScriptRanOut());
        headless::Reset();
        liveAfterRun.push_back(testing::LiveAllocatedBytes());

        sessions.push_back({session.start, switchOff});
        const std::size_t kept = std::min<std::size_t>(sessions.size(), HistoryKept);
        ASSERT_EQ(
            HistoryIn(data / "History.dat"),
            std::vector<HistoryRecord>(sessions.end() - static_cast<long>(kept), sessions.end()))
            << "after run " << sessions.size();
    }

    std::map<std::string, WeekRecord> weekFiles;
    for (const fs::directory_entry& entry : fs::directory_iterator(data / "Weeks")) {
        const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(entry.path());
        ASSERT_EQ(bytes.size(), WeekRecordSize) << entry.path();
        weekFiles[entry.path().filename().string()] = DecodeWeekRecord(
            std::span<const std::uint8_t, WeekRecordSize>(bytes.data(), WeekRecordSize));
    }
    std::map<std::string, YearRecord> yearFiles;
    for (const fs::directory_entry& entry : fs::directory_iterator(data / "Months")) {
        const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(entry.path());
        ASSERT_EQ(bytes.size(), YearRecordSize) << entry.path();
        yearFiles[entry.path().filename().string()] = DecodeYearRecord(
            std::span<const std::uint8_t, YearRecordSize>(bytes.data(), YearRecordSize));
    }
    EXPECT_EQ(weekFiles, model.WeekFiles());
    EXPECT_EQ(yearFiles, model.YearFiles());

    // The edges the plan was built for, seen in the files themselves.
    EXPECT_EQ(weekFiles["2015-43.dat"].Minutes[6], 1500); // the 25-hour Sunday
    EXPECT_TRUE(weekFiles.contains("2015-53.dat"));
    EXPECT_TRUE(weekFiles.contains("2016-53.dat"));
    EXPECT_GT(weekFiles["2014-1.dat"].Minutes[0], 0);   // Monday 29 December 2014
    EXPECT_GT(weekFiles["2014-1.dat"].Minutes[2], 300); // 1 January 2014 and 31 December 2014

    const std::vector<std::uint8_t> settings = testing::ReadFileBytes(data / "Settings.ini");
    EXPECT_EQ(std::string(settings.begin(), settings.end()),
              "CalendarWeeksLimit = 100\r\nYearLimit = 100\r\nHistoryItemsLimit = 100\r\n");

    // Each run gives back what it took: the live heap after the last run is
    // that after the second (the first may set up what lives for the process).
    ASSERT_GE(liveAfterRun.size(), 3u);
    const long long settled = liveAfterRun[1];
    const long long most = *std::max_element(liveAfterRun.begin() + 1, liveAfterRun.end());
    EXPECT_EQ(most, settled) << "first " << liveAfterRun[0] << ", last " << liveAfterRun.back();
    std::printf("runs %zu, minutes %lld, live heap after runs 1, 2, last: %lld %lld %lld\n",
                plan.size(), static_cast<long long>(model.TotalMinutes()), liveAfterRun[0], settled,
                liveAfterRun.back());
}

} // namespace
} // namespace lumidor
