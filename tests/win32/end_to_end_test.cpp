// Lumidor.exe in a fresh folder, driven the way Windows and its user drive
// it: started by the Startup shortcut's command line, counting a minute on the
// 60th tick, watched by a second copy in viewing mode, and ended by the end of
// the Windows session; a viewing run that the user closes.
#include "core/date.h"
#include "core/history_record.h"
#include "recording/usage_files.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/win32_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

constexpr DWORD Wait = 30000;
const std::string StandardSettings =
    "CalendarWeeksLimit = 8\r\nYearLimit = 4\r\nHistoryItemsLimit = 30\r\n";

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, Wait,
                        nullptr);
    return text;
}

std::set<std::wstring> NamesIn(const fs::path& folder) {
    std::set<std::wstring> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().wstring());
    return names;
}

std::string TextIn(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    return {bytes.begin(), bytes.end()};
}

WeekRecord ReadWeek(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    if (bytes.size() != WeekRecordSize)
        return {};
    return DecodeWeekRecord(
        std::span<const std::uint8_t, WeekRecordSize>(bytes.data(), bytes.size()));
}

YearRecord ReadYear(const fs::path& file) {
    const std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    if (bytes.size() != YearRecordSize)
        return {};
    return DecodeYearRecord(
        std::span<const std::uint8_t, YearRecordSize>(bytes.data(), bytes.size()));
}

template <std::size_t Size>
std::vector<std::uint8_t> Bytes(const std::array<std::uint8_t, Size>& a) {
    return {a.begin(), a.end()};
}

TEST(EndToEnd, RecordingSessionCountsAMinuteWhileWatchedAndEndsWithTheWindowsSession) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    const fs::path data = temp / L"Lumidor" / L"Data";
    fs::create_directories(data / L"Weeks");
    fs::create_directories(data / L"Months");

    // Known counters in this week's and this year's files.
    const DateValue today = CurrentDate();
    const WeekOfYear week = WeekOfDate(today);
    const fs::path weekFile = data / L"Weeks" / WeekFileName(week.year, week.week);
    const fs::path yearFile = data / L"Months" / YearFileName(week.year);
    WeekRecord weekBefore{static_cast<std::int8_t>(week.week),
                          static_cast<std::int16_t>(week.year),
                          {1000, 1001, 1002, 1003, 1004, 1005, 1006}};
    YearRecord yearBefore{static_cast<std::int16_t>(week.year), {}};
    for (int month = 0; month < 12; ++month)
        yearBefore.Minutes[month] = 20000 + month;
    testing::WriteFileBytes(weekFile, Bytes(EncodeWeekRecord(weekBefore)));
    testing::WriteFileBytes(yearFile, Bytes(EncodeYearRecord(yearBefore)));
    // Old weeks beyond the limit of 8, and a file that is no usage file.
    for (int old = 1; old <= 10; ++old)
        testing::WriteFileBytes(data / L"Weeks" / WeekFileName(2001, old),
                                std::vector<std::uint8_t>(WeekRecordSize, 0));
    testing::WriteFileText(data / L"Weeks" / L"Thumbs.db", "not a week");
    const HistoryRecord earlier{today - 86400, today - 80000};
    testing::WriteFileBytes(data / L"History.dat", Bytes(EncodeHistoryRecord(earlier)));

    const DateValue beforeStart = CurrentDate();
    testing::StartedProcess recorder = testing::StartProgram(program, L"/autorun", temp.path());
    HWND recorderWindow = testing::WaitForMainWindow(recorder);
    const DateValue afterStart = CurrentDate();
    ASSERT_NE(recorderWindow, nullptr);

    // A second copy, as the user starts it, shows the week being written.
    testing::StartedProcess viewer = testing::StartProgram(program, L"", temp.path());
    HWND viewerWindow = testing::WaitForMainWindow(viewer);
    ASSERT_NE(viewerWindow, nullptr);
    HWND viewerTabs = testing::WaitForTabPanel(viewerWindow);
    ASSERT_NE(viewerTabs, nullptr);
    SendMessageTimeoutW(viewerTabs, WM_KEYDOWN, VK_RIGHT, 0, SMTO_NORMAL, Wait, nullptr);
    Sleep(500);
    const std::wstring shownPeriod = TextOf(testing::ChildWithId(viewerWindow, 21));

    // The 60th tick: exactly one minute more, today and in this month.
    const int weekday = WeekdayCounter(WeekdayOfDate(today));
    const int month = MonthOfDate(today) - 1;
    WeekRecord weekAfter = weekBefore;
    for (int waited = 0; waited < 900; ++waited) {
        weekAfter = ReadWeek(weekFile);
        if (weekAfter.Minutes[weekday] != weekBefore.Minutes[weekday])
            break;
        // The viewer redraws the week now and then, reading the same file.
        if (waited % 20 == 0) {
            HWND viewSelector = testing::ChildWithId(viewerWindow, 19);
            SendMessageTimeoutW(viewerWindow, WM_COMMAND, MAKEWPARAM(19, CBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(viewSelector), SMTO_NORMAL, Wait, nullptr);
        }
        Sleep(100);
    }
    Sleep(200);
    if (WeekOfDate(CurrentDate()) != week)
        GTEST_SKIP() << "the week changed during the test";
    WeekRecord expectedWeek = weekBefore;
    ++expectedWeek.Minutes[weekday];
    EXPECT_EQ(ReadWeek(weekFile), expectedWeek);
    YearRecord expectedYear = yearBefore;
    ++expectedYear.Minutes[month];
    EXPECT_EQ(ReadYear(yearFile), expectedYear);

    // The viewer closes: no question, no session appended.
    PostMessageW(viewerWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(testing::WaitForExit(viewer, Wait), std::optional<DWORD>(0));
    EXPECT_EQ(testing::ReadFileBytes(data / L"History.dat").size(), HistoryRecordSize);
    EXPECT_EQ(shownPeriod, fs::path(WeekFileName(week.year, week.week)).stem().wstring());

    // The end of the Windows session, sent by another program.
    DWORD_PTR answer = 0;
    ASSERT_TRUE(
        SendMessageTimeoutW(recorderWindow, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, Wait, &answer));
    const DateValue afterEnd = CurrentDate();
    EXPECT_EQ(answer, 1u);
    const std::vector<std::uint8_t> history = testing::ReadFileBytes(data / L"History.dat");
    ASSERT_EQ(history.size(), 2 * HistoryRecordSize);
    EXPECT_EQ(DecodeHistoryRecord(history.data()), earlier);
    const HistoryRecord session = DecodeHistoryRecord(history.data() + HistoryRecordSize);
    EXPECT_GE(session.switchOn, beforeStart);
    EXPECT_LE(session.switchOn, afterStart);
    EXPECT_GE(session.switchOff, session.switchOn + 60);
    EXPECT_LE(session.switchOff, afterEnd);
    EXPECT_EQ(TextIn(data / L"Settings.ini"), StandardSettings);
    std::set<std::wstring> weeks = NamesIn(data / L"Weeks");
    EXPECT_EQ(weeks.size(), 9u) << "eight weeks and Thumbs.db";
    EXPECT_TRUE(weeks.contains(L"Thumbs.db"));
    EXPECT_TRUE(weeks.contains(weekFile.filename().wstring()));
    for (int gone = 1; gone <= 3; ++gone)
        EXPECT_FALSE(weeks.contains(fs::path(WeekFileName(2001, gone)).wstring())) << gone;

    // The session end was allowed; Windows ends the process then.
    TerminateProcess(recorder.info.hProcess, 0);
    testing::WaitForExit(recorder, Wait);
}

TEST(EndToEnd, ViewingRunClosedByTheUserAsksNothingSavesSettingsAndAppendsNothing) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    const fs::path data = temp / L"Lumidor" / L"Data";
    fs::create_directories(data);
    const HistoryRecord earlier{CurrentDate() - 86400, CurrentDate() - 80000};
    testing::WriteFileBytes(data / L"History.dat", Bytes(EncodeHistoryRecord(earlier)));
    testing::WriteFileText(data / L"Settings.ini", "yearlimit=250\r\n");

    testing::StartedProcess viewer = testing::StartProgram(program, L"", temp.path());
    HWND window = testing::WaitForMainWindow(viewer);
    ASSERT_NE(window, nullptr);
    ASSERT_NE(testing::WaitForTabPanel(window), nullptr);
    // The title bar's close button.
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(testing::WaitForExit(viewer, Wait), std::optional<DWORD>(0));
    EXPECT_EQ(testing::ReadFileBytes(data / L"History.dat"), Bytes(EncodeHistoryRecord(earlier)));
    // The year limit as the field held it: 250 brought to 100.
    EXPECT_EQ(TextIn(data / L"Settings.ini"),
              "CalendarWeeksLimit = 8\r\nYearLimit = 100\r\nHistoryItemsLimit = 30\r\n");
}

} // namespace
} // namespace lumidor
