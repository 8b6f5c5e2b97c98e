// The export as a user makes it on Windows: the real window and lists, the
// shell's folder browser with a path typed into its edit box, and the real
// message box at the end. The page and its charts are kept as test artifacts.
#include "app/lumidor.h"
#include "core/control_numbers.h"
#include "core/date.h"
#include "core/history_record.h"
#include "platform/toolkit.h"
#include "recording/usage_files.h"
#include "reports/chart_view.h"
#include "reports/html_export.h"
#include "reports/period_list.h"
#include "tests/support/temp_folder.h"
#include "tests/win32/win32_support.h"
#include "ui/main_window.h"

#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace lumidor {
namespace {

namespace fs = std::filesystem;

HWND WaitForDialogOf(DWORD thread, const wchar_t* title) {
    struct Search {
        const wchar_t* title;
        HWND found;
    } search{title, nullptr};
    for (int attempt = 0; attempt < 400 && search.found == nullptr; ++attempt) {
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM data) -> BOOL {
                auto* search = reinterpret_cast<Search*>(data);
                wchar_t name[32] = {};
                GetClassNameW(window, name, 32);
                wchar_t text[128] = {};
                GetWindowTextW(window, text, 128);
                if (std::wstring(name) == L"#32770" && IsWindowVisible(window) &&
                    (search->title == nullptr || std::wstring(text) == search->title)) {
                    search->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(50);
    }
    return search.found;
}

// What the user saw and did, from a second thread.
struct UserAtTheExport {
    bool browserShown = false;
    bool typed = false;
    std::wstring message;
};

void AnswerTheExport(DWORD thread, const fs::path& folder, UserAtTheExport& user) {
    HWND browser = WaitForDialogOf(thread, nullptr);
    if (browser == nullptr)
        return;
    user.browserShown = true;
    Sleep(300); // let it fill its tree before the path is typed
    // Typed into the edit box, and picked in the tree: this Wine takes only
    // the tree's selection, Windows also the typed path.
    if (HWND edit = FindWindowExW(browser, nullptr, L"Edit", nullptr)) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
        user.typed = true;
    }
    // The tree fills while the browser opens; until then the folder is not found.
    HWND tree = FindWindowExW(browser, nullptr, WC_TREEVIEWW, nullptr);
    for (int attempt = 0; tree != nullptr && attempt < 50; ++attempt) {
        SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        wchar_t name[MAX_PATH] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = TreeView_GetSelection(tree);
        item.pszText = name;
        item.cchTextMax = MAX_PATH;
        if (item.hItem != nullptr && TreeView_GetItem(tree, &item) &&
            folder.filename().wstring() == name)
            break;
        Sleep(100);
    }
    SendMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);

    // The browser goes, the message box comes, titled "Lumidor".
    for (int attempt = 0; attempt < 100 && IsWindow(browser); ++attempt)
        Sleep(50);
    HWND box = WaitForDialogOf(thread, L"Lumidor");
    if (box == nullptr)
        return;
    wchar_t text[256] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    user.message = text;
    SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

void Tick(int list, int item) {
    HWND window = testing::ChildWithId(FindWindowW(L"LumidorMainWindow", nullptr), list);
    ASSERT_NE(window, nullptr);
    LVITEMW state{};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(window, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

std::vector<std::uint8_t> Prefix(const fs::path& file, std::size_t length) {
    std::vector<std::uint8_t> bytes = testing::ReadFileBytes(file);
    bytes.resize(std::min(bytes.size(), length));
    return bytes;
}

TEST(Win32Export, ThroughTheFolderBrowserAndTheMessageBox) {
    testing::TempFolder temp;
    App app;
    PrepareApp(app, testing::InstallLumidorIn(temp / L"Lumidor"), "Lumidor.exe");
    const fs::path data = app.DataFolder;
    WeekRecord week{42, 2011, {60, 120, 185, 0, 30, 600, 1440}};
    const WeekRecordBytes weekBytes = EncodeWeekRecord(week);
    testing::WriteFileBytes(data / "Weeks" / "2011-42.dat", {weekBytes.begin(), weekBytes.end()});
    testing::WriteFileBytes(data / "Weeks" / "2011-41.dat", std::vector<std::uint8_t>(31, 0));
    YearRecord year{2011, {600, 1200, 0, 3000, 6000, 9000, 12000, 20000, 100, 5000, 7000, 44640}};
    const YearRecordBytes yearBytes = EncodeYearRecord(year);
    testing::WriteFileBytes(data / "Months" / "2011.dat", {yearBytes.begin(), yearBytes.end()});
    const auto session = EncodeHistoryRecord(
        {DateFromFields(2011, 10, 19, 8, 15, 0), DateFromFields(2011, 10, 19, 17, 40, 5)});
    testing::WriteFileBytes(data / "History.dat", {session.begin(), session.end()});

    ASSERT_TRUE(BuildMainWindow(app));
    platform::SetControlState(control::TabPanel, 4);
    FillPeriodList(app, WeekView, control::WeekExportList);
    FillPeriodList(app, YearView, control::YearExportList);
    ASSERT_EQ(platform::ItemCount(control::WeekExportList), 2);
    Tick(control::WeekExportList, 1);
    Tick(control::YearExportList, 0);
    platform::SetControlState(control::IncludeHistoryCheckbox, 1);
    testing::PumpMessages();
    testing::SaveScreenshot(FindWindowW(L"LumidorMainWindow", nullptr),
                            testing::ArtifactsFolder() / L"export-tab.png");
    platform::SetControlState(control::TabPanel, 1);
    FillPeriodList(app, WeekView, control::PeriodSelector);
    platform::SetControlState(control::PeriodSelector, 1);
    ShowSelectedChart(app);
    testing::PumpMessages();
    testing::SaveScreenshot(FindWindowW(L"LumidorMainWindow", nullptr),
                            testing::ArtifactsFolder() / L"grafik-tab.png");

    const fs::path exportFolder = temp / L"Bericht Ä";
    fs::create_directories(exportFolder);
    UserAtTheExport user;
    std::thread answerer(
        [&, thread = GetCurrentThreadId()] { AnswerTheExport(thread, exportFolder, user); });
    ExportHtml(app);
    answerer.join();
    platform::ReleaseToolkit();

    EXPECT_TRUE(user.browserShown);
    EXPECT_TRUE(user.typed);
    EXPECT_EQ(user.message, L"Daten wurden exportiert!");
    const fs::path page = exportFolder / L"Lumidor Export.html";
    ASSERT_TRUE(fs::exists(page));
    const std::vector<std::uint8_t> html = testing::ReadFileBytes(page);
    const std::string text(html.begin(), html.end());
    EXPECT_NE(text.find("Images/2011-42.png"), std::string::npos) << text;
    EXPECT_NE(text.find("Images/2011.png"), std::string::npos);
    EXPECT_EQ(text.find("2011-41"), std::string::npos);
    EXPECT_NE(text.find("19.10.2011 - 17:40:05"), std::string::npos);
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const wchar_t* image : {L"2011-42.png", L"2011.png"})
        EXPECT_EQ(Prefix(exportFolder / L"Images" / image, 8), signature) << image;
    EXPECT_FALSE(fs::exists(exportFolder / L"Images" / L"2011-41.png"));

    // Kept for a look at the page and its charts.
    const fs::path kept = testing::ArtifactsFolder() / L"export";
    fs::remove_all(kept);
    fs::create_directories(kept);
    fs::copy(exportFolder, kept, fs::copy_options::recursive);
}

} // namespace
} // namespace lumidor
