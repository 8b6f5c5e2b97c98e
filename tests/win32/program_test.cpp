// Lumidor.exe started the way the Startup shortcut and a user start it, and
// driven from outside the way Windows and other programs drive it.
#include "core/date.h"
#include "core/history_record.h"
#include "recording/usage_files.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/win32_support.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

constexpr DWORD ExitWait = 30000;

// Sends WM_CLOSE as another program would, and waits for the end.
std::optional<DWORD> CloseAndWait(testing::StartedProcess& process, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return testing::WaitForExit(process, ExitWait);
}

DWORD_PTR QueryEndSession(HWND window) {
    DWORD_PTR answer = 99;
    if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, ExitWait, &answer))
        return 99;
    return answer;
}

TEST(Program, FindsItsDataBesideItselfFromAnyWorkingFolderAndExitsWithZero) {
    for (const wchar_t* arguments : {L"/autorun", L"", L"/Autorun extra"}) {
        testing::TempFolder temp;
        const fs::path programFolder = temp / L"Programme mit Ümlaut ß";
        const fs::path program = testing::InstallLumidorIn(programFolder);
        const fs::path elsewhere = temp / L"anderswo";
        fs::create_directories(elsewhere);

        testing::StartedProcess process = testing::StartProgram(program, arguments, elsewhere);
        ASSERT_TRUE(process.started);
        HWND window = testing::WaitForMainWindow(process);
        ASSERT_NE(window, nullptr) << "no window for arguments " << arguments;
        EXPECT_EQ(CloseAndWait(process, window), std::optional<DWORD>(0));
        EXPECT_TRUE(fs::is_directory(programFolder / L"Data" / L"Weeks"));
        EXPECT_TRUE(fs::is_directory(programFolder / L"Data" / L"Months"));
        EXPECT_FALSE(fs::exists(elsewhere / L"Data"));
    }
}

TEST(Program, RecordingModeRunsHiddenWithANotificationIconUntilTheSessionEnds) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    testing::StartedProcess process = testing::StartProgram(program, L"/autorun", temp.path());
    HWND window = testing::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    // Hidden, so no taskbar button; the notification icon stands in for it.
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(testing::HasNotificationIcon(window));

    // The end of the Windows session: allowed, after the shutdown removed the icon.
    EXPECT_EQ(QueryEndSession(window), 1u);
    EXPECT_FALSE(testing::HasNotificationIcon(window));
    // Another program cancelled the session end: it runs on until closed.
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(CloseAndWait(process, window), std::optional<DWORD>(0));
}

TEST(Program, ViewingModeShowsItsWindowWithoutANotificationIcon) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    testing::StartedProcess process = testing::StartProgram(program, L"", temp.path());
    HWND window = testing::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(testing::HasNotificationIcon(window));
    EXPECT_EQ(QueryEndSession(window), 1u);
    EXPECT_EQ(CloseAndWait(process, window), std::optional<DWORD>(0));
}

TEST(Program, RecordingModeAsksBeforeTheCloseButtonEndsIt) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    testing::StartedProcess process = testing::StartProgram(program, L"/autorun", temp.path());
    HWND window = testing::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);

    // Minimising hides the window instead.
    ShowWindow(window, SW_SHOW);
    SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL, ExitWait, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));

    for (int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        HWND question = testing::WaitForWindowOf(process, L"#32770", L"Lumidor", ExitWait);
        ASSERT_NE(question, nullptr);
        wchar_t text[256] = {};
        GetDlgItemTextW(question, 0xFFFF, text, 256);
        EXPECT_STREQ(text, L"Nach dem Beenden werden keine Laufzeiten mehr "
                           L"aufgezeichnet.\r\nWirklich beenden?");
        EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
        EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
        PostMessageW(GetDlgItem(question, answer), BM_CLICK, 0, 0);
        if (answer == IDNO) {
            // Still recording: the icon is there and the window answers.
            for (int waited = 0; IsWindow(question) && waited < 100; ++waited)
                Sleep(50);
            EXPECT_TRUE(testing::HasNotificationIcon(window));
            EXPECT_EQ(WaitForSingleObject(process.info.hProcess, 0), DWORD(WAIT_TIMEOUT));
        }
    }
    EXPECT_EQ(testing::WaitForExit(process, ExitWait), std::optional<DWORD>(0));
}

// Recorded data for this week and year and a few sessions, so that every tab
// shows something.
void PrepareRecordedData(const fs::path& data) {
    const DateValue now = CurrentDate();
    const WeekOfYear week = WeekOfDate(now);
    const WeekRecordBytes weekBytes = EncodeWeekRecord({static_cast<std::int8_t>(week.week),
                                                        static_cast<std::int16_t>(week.year),
                                                        {480, 525, 610, 95, 720, 240, 30}});
    testing::WriteFileBytes(data / L"Weeks" / WeekFileName(week.year, week.week),
                            {weekBytes.begin(), weekBytes.end()});
    const YearRecordBytes yearBytes = EncodeYearRecord(
        {static_cast<std::int16_t>(week.year),
         {9000, 8400, 10200, 7300, 6100, 5000, 2500, 4100, 9800, 11000, 12500, 4000}});
    testing::WriteFileBytes(data / L"Months" / YearFileName(week.year),
                            {yearBytes.begin(), yearBytes.end()});
    std::vector<std::uint8_t> history(3 * HistoryRecordSize);
    for (int day = 3; day >= 1; --day) {
        const auto record = EncodeHistoryRecord({now - day * 86400, now - day * 86400 + 30000});
        std::copy(record.begin(), record.end(),
                  history.begin() + (3 - day) * static_cast<std::ptrdiff_t>(HistoryRecordSize));
    }
    testing::WriteFileBytes(data / L"History.dat", history);
}

TEST(Program, ScreenshotOfEveryTab) {
    testing::TempFolder temp;
    const fs::path program = testing::InstallLumidorIn(temp / L"Lumidor");
    fs::create_directories(temp / L"Lumidor" / L"Data" / L"Weeks");
    fs::create_directories(temp / L"Lumidor" / L"Data" / L"Months");
    PrepareRecordedData(temp / L"Lumidor" / L"Data");
    testing::StartedProcess process = testing::StartProgram(program, L"", temp.path());
    HWND window = testing::WaitForMainWindow(process);
    ASSERT_NE(window, nullptr);
    // Identifier 0 is also the default of windows that have none: the class tells.
    HWND tabPanel = testing::WaitForTabPanel(window);
    ASSERT_NE(tabPanel, nullptr);
    const fs::path folder = testing::ArtifactsFolder();
    fs::create_directories(folder);
    const wchar_t* names[] = {L"Aktuell", L"Grafik", L"Verlauf", L"Einstellungen", L"Export"};
    // The first ticks show the uptime.
    Sleep(1500);
    for (int tab = 0; tab < 5; ++tab) {
        if (tab > 0)
            SendMessageW(tabPanel, WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_EQ(SendMessageW(tabPanel, TCM_GETCURSEL, 0, 0), tab);
        // Let the program serve the change and paint.
        Sleep(400);
        const fs::path file = folder / (std::wstring(L"tab-") + std::to_wstring(tab + 1) + L"-" +
                                        names[tab] + L".png");
        EXPECT_TRUE(testing::SaveScreenshot(window, file)) << file;
    }
    EXPECT_EQ(CloseAndWait(process, window), std::optional<DWORD>(0));
}

} // namespace
} // namespace lumidor
