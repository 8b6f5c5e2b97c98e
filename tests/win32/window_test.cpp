// The real window, built in this process by the program's own code and read
// back with the Win32 calls any other program could use.
#include "core/control_numbers.h"
#include "tests/win32/win32_support.h"
#include "ui/control_layout.h"
#include "ui/event_loop.h"
#include "ui/main_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace lumidor {
namespace {

using platform::ControlKind;

std::wstring Wide(std::string_view text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    CharLowerW(name);
    return name;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

struct Box {
    long x, y, width, height;
    friend bool operator==(const Box&, const Box&) = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << box.width << "x" << box.height << "+" << box.x << "+" << box.y;
}

// Every descendant of the main window by control identifier (the up-down
// helpers of the spin fields apart).
std::map<int, HWND> ChildrenById(HWND mainWindow) {
    std::map<int, HWND> children;
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM found) -> BOOL {
            if (ClassOf(child) != L"msctls_updown32")
                (*reinterpret_cast<std::map<int, HWND>*>(found))[GetDlgCtrlID(child)] = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND UpDownOf(HWND mainWindow, HWND edit) {
    struct Search {
        HWND edit;
        HWND found;
    } search{edit, nullptr};
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (ClassOf(child) == L"msctls_updown32" &&
                reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)) == search->edit)
                search->found = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class Window : public ::testing::Test {
  protected:
    void SetUp() override {
        // The program file gives the window its icon.
        app.programFile = testing::LumidorExe();
        app.ChartImage = MakeImage(ChartImageWidth, ChartImageHeight);
        ASSERT_TRUE(BuildMainWindow(app));
        mainWindow = FindWindowW(L"LumidorMainWindow", L"Quorrel - Lumidor 1.2.2");
        ASSERT_NE(mainWindow, nullptr);
        children = ChildrenById(mainWindow);
        tabPanel = children[control::TabPanel];
        ASSERT_NE(tabPanel, nullptr);
        testing::PumpMessages();
    }
    void TearDown() override {
        platform::ReleaseToolkit();
        EXPECT_EQ(FindWindowW(L"LumidorMainWindow", nullptr), nullptr);
    }

    // Where a control stands within the page area of the tab panel.
    Box PlaceInPage(HWND control) const {
        RECT page;
        GetClientRect(tabPanel, &page);
        TabCtrl_AdjustRect(tabPanel, FALSE, &page);
        MapWindowPoints(tabPanel, nullptr, reinterpret_cast<POINT*>(&page), 2);
        RECT box;
        GetWindowRect(control, &box);
        if (HWND upDown = UpDownOf(mainWindow, control)) {
            RECT arrows;
            GetWindowRect(upDown, &arrows);
            UnionRect(&box, &box, &arrows);
        }
        return {box.left - page.left, box.top - page.top, box.right - box.left,
                box.bottom - box.top};
    }

    HWND Control(int number) { return children[number]; }

    // The user presses the right arrow key on the tab strip.
    void NextTab() { SendMessageW(tabPanel, WM_KEYDOWN, VK_RIGHT, 0); }

    App app;
    HWND mainWindow = nullptr;
    HWND tabPanel = nullptr;
    std::map<int, HWND> children;
};

TEST_F(Window, FixedFrameTitlePlaceClientAreaIconAndStatusBar) {
    EXPECT_EQ(TextOf(mainWindow), L"Quorrel - Lumidor 1.2.2");
    RECT outer;
    GetWindowRect(mainWindow, &outer);
    EXPECT_EQ(outer.left, 432);
    EXPECT_EQ(outer.top, 46);
    RECT client;
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(client.right, 384);
    EXPECT_EQ(client.bottom, 310);
    const LONG_PTR style = StyleOf(mainWindow);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_NE(GetClassLongPtrW(mainWindow, GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrW(mainWindow, GCLP_HICONSM), 0);

    HWND statusBar = FindWindowExW(mainWindow, nullptr, STATUSCLASSNAMEW, nullptr);
    ASSERT_NE(statusBar, nullptr);
    EXPECT_FALSE(StyleOf(statusBar) & SBARS_SIZEGRIP);
    EXPECT_EQ(SendMessageW(statusBar, SB_GETPARTS, 0, 0), 1);
    wchar_t text[128] = {};
    SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L" Zeigt Laufzeit seit dem Anmelden");
    RECT bar;
    GetWindowRect(statusBar, &bar);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, 384);
    EXPECT_EQ(bar.bottom, 310);
}

TEST_F(Window, TabPanelWithItsFiveTabs) {
    EXPECT_EQ(ClassOf(tabPanel), L"systabcontrol32");
    RECT box;
    GetWindowRect(tabPanel, &box);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ((Box{box.left, box.top, box.right - box.left, box.bottom - box.top}),
              (Box{-2, -2, 395, 295}));
    ASSERT_EQ(SendMessageW(tabPanel, TCM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(SendMessageW(tabPanel, TCM_GETROWCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(tabPanel, TCM_GETCURSEL, 0, 0), 0);
    for (int tab = 0; tab < 5; ++tab) {
        wchar_t caption[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 64;
        SendMessageW(tabPanel, TCM_GETITEMW, tab, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(caption, Wide(ui::TabCaptions[static_cast<std::size_t>(tab)]));
    }
}

TEST_F(Window, EveryControlAtItsPlaceWithItsTextAndKind) {
    struct KindOnWindows {
        const wchar_t* windowClass;
        LONG_PTR typeMask;
        LONG_PTR type;
    };
    const std::map<ControlKind, KindOnWindows> kinds = {
        {ControlKind::Label, {L"static", SS_TYPEMASK, SS_LEFTNOWORDWRAP}},
        {ControlKind::RightAlignedLabel, {L"static", SS_TYPEMASK, SS_RIGHT}},
        {ControlKind::WrappingLabel, {L"static", SS_TYPEMASK, SS_LEFT}},
        {ControlKind::DropDownList, {L"combobox", 3, CBS_DROPDOWNLIST}},
        {ControlKind::GroupBox, {L"button", BS_TYPEMASK, BS_GROUPBOX}},
        {ControlKind::ImageView, {L"static", SS_TYPEMASK, SS_BITMAP}},
        {ControlKind::ReportList,
         {L"syslistview32", LVS_TYPEMASK | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
          LVS_REPORT | LVS_SINGLESEL}},
        {ControlKind::CheckboxList,
         {L"syslistview32", LVS_TYPEMASK | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
          LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER}},
        {ControlKind::Checkbox, {L"button", BS_TYPEMASK, BS_AUTOCHECKBOX}},
        {ControlKind::SpinField, {L"edit", ES_READONLY, ES_READONLY}},
        {ControlKind::PushButton, {L"button", BS_TYPEMASK & ~BS_DEFPUSHBUTTON, BS_PUSHBUTTON}},
    };
    for (const ui::ControlLayout& layout : ui::ControlLayouts) {
        SCOPED_TRACE("control " + std::to_string(layout.number));
        HWND window = Control(layout.number);
        ASSERT_NE(window, nullptr);
        const KindOnWindows& kind = kinds.at(layout.kind);
        EXPECT_EQ(ClassOf(window), kind.windowClass);
        EXPECT_EQ(StyleOf(window) & kind.typeMask, kind.type);
        EXPECT_EQ(PlaceInPage(window), (Box{layout.x, layout.y, layout.width, layout.height}));
        if (layout.kind != ControlKind::ReportList && layout.kind != ControlKind::CheckboxList &&
            layout.kind != ControlKind::DropDownList && layout.kind != ControlKind::SpinField) {
            EXPECT_EQ(TextOf(window), Wide(layout.text));
        }
    }
}

TEST_F(Window, ListsSpinFieldsAndDropDownListsAsTheKindsAsk) {
    const DWORD history = static_cast<DWORD>(
        SendMessageW(Control(control::HistoryList), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(history & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
    const std::pair<int, std::vector<std::pair<std::wstring, int>>> columns[] = {
        {control::HistoryList, {{L"PC eingeschaltet", 178}, {L"PC ausgeschaltet", 178}}},
        {control::WeekExportList, {{L"", 150}}},
        {control::YearExportList, {{L"", 150}}},
    };
    for (const auto& [list, expected] : columns) {
        SCOPED_TRACE("control " + std::to_string(list));
        HWND header = reinterpret_cast<HWND>(SendMessageW(Control(list), LVM_GETHEADER, 0, 0));
        ASSERT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0),
                  static_cast<LRESULT>(expected.size()));
        for (std::size_t index = 0; index < expected.size(); ++index) {
            wchar_t title[64] = {};
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title;
            column.cchTextMax = 64;
            SendMessageW(Control(list), LVM_GETCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
            EXPECT_EQ(title, expected[index].first);
            EXPECT_EQ(column.cx, expected[index].second);
        }
        if (list != control::HistoryList) {
            EXPECT_TRUE(SendMessageW(Control(list), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) &
                        LVS_EX_CHECKBOXES);
        }
    }

    for (int field :
         {control::WeekLimitField, control::YearLimitField, control::HistoryLimitField}) {
        SCOPED_TRACE("control " + std::to_string(field));
        HWND upDown = UpDownOf(mainWindow, Control(field));
        ASSERT_NE(upDown, nullptr);
        const LONG_PTR style = StyleOf(upDown);
        for (LONG_PTR bit : {UDS_SETBUDDYINT, UDS_ALIGNRIGHT, UDS_ARROWKEYS, UDS_NOTHOUSANDS})
            EXPECT_TRUE(style & bit) << std::hex << bit;
        int low = 0;
        int high = 0;
        SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 100);
        for (auto [set, shown] : {std::pair{0, L"1"}, {250, L"100"}, {-7, L"1"}, {42, L"42"}}) {
            platform::SetControlState(field, set);
            EXPECT_EQ(TextOf(Control(field)), shown);
            EXPECT_EQ(platform::ControlState(field), _wtoi(shown));
        }
        // The arrow keys count up and down.
        SetFocus(Control(field));
        SendMessageW(Control(field), WM_KEYDOWN, VK_UP, 0);
        SendMessageW(Control(field), WM_KEYUP, VK_UP, 0);
        EXPECT_EQ(platform::ControlState(field), 43);
    }

    HWND viewSelector = Control(control::ViewSelector);
    EXPECT_EQ(SendMessageW(viewSelector, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageW(viewSelector, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(platform::ControlText(control::ViewSelector), "Tage");
    EXPECT_EQ(platform::CellText(control::ViewSelector, 1, 0), "Monate");
    EXPECT_EQ(SendMessageW(Control(control::PeriodSelector), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(Window, OnlyTheSelectedTabsControlsAreVisible) {
    for (int selected = 0; selected < ui::TabCount; ++selected) {
        SCOPED_TRACE("tab " + std::to_string(selected));
        if (selected > 0) {
            NextTab();
            const platform::Event event = platform::WaitForEvent();
            EXPECT_EQ(event.type, platform::EventType::Control);
            EXPECT_EQ(event.control, control::TabPanel);
            EXPECT_EQ(event.controlKind, platform::ControlEventKind::SelectionChanged);
        }
        EXPECT_EQ(platform::SelectedTabCaption(),
                  ui::TabCaptions[static_cast<std::size_t>(selected)]);
        for (const ui::ControlLayout& layout : ui::ControlLayouts) {
            const bool visible =
                layout.tab == selected && layout.number != control::CounterWarningLabel;
            EXPECT_EQ(IsWindowVisible(Control(layout.number)) != FALSE, visible) << layout.number;
        }
    }
    // The warning label shows on its tab once it is shown, and only there.
    platform::ShowControl(control::CounterWarningLabel, true);
    EXPECT_FALSE(IsWindowVisible(Control(control::CounterWarningLabel)));
    platform::SetControlState(control::TabPanel, 0);
    EXPECT_TRUE(IsWindowVisible(Control(control::CounterWarningLabel)));
}

TEST_F(Window, TextsFitTheirControlsAndNothingOverlaps) {
    HDC context = GetDC(mainWindow);
    const auto extent = [&](HWND window, std::string_view text) {
        HGDIOBJ old =
            SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
        const std::wstring wide = Wide(text);
        SIZE size{};
        GetTextExtentPoint32W(context, wide.c_str(), static_cast<int>(wide.size()), &size);
        TEXTMETRICW metrics{};
        GetTextMetricsW(context, &metrics);
        SelectObject(context, old);
        return SIZE{size.cx, metrics.tmHeight};
    };
    const int checkWidth = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (const ui::ControlLayout& layout : ui::ControlLayouts) {
        SCOPED_TRACE("control " + std::to_string(layout.number));
        HWND window = Control(layout.number);
        const SIZE size = extent(window, layout.text);
        switch (layout.kind) {
        case ControlKind::Label:
        case ControlKind::RightAlignedLabel:
            EXPECT_LE(size.cx, layout.width);
            EXPECT_LE(size.cy, layout.height);
            break;
        case ControlKind::Checkbox:
            EXPECT_LE(size.cx + checkWidth, layout.width);
            EXPECT_LE(size.cy, layout.height);
            break;
        case ControlKind::PushButton:
        case ControlKind::GroupBox:
            EXPECT_LE(size.cx + 16, layout.width);
            break;
        case ControlKind::WrappingLabel: {
            HGDIOBJ old = SelectObject(
                context, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
            const std::wstring wide = Wide(layout.text);
            RECT box{0, 0, layout.width, 0};
            DrawTextW(context, wide.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(context, old);
            EXPECT_LE(box.bottom, layout.height);
            break;
        }
        default:
            break;
        }
    }
    // Texts that other parts of the program put in later.
    EXPECT_LE(extent(Control(control::PeriodCaption), "Jahr:").cx, 82);
    EXPECT_LE(extent(Control(control::SecondsField), "4294967").cx, 138);
    RECT client;
    GetClientRect(mainWindow, &client);
    for (std::string_view text : ui::StatusTexts)
        EXPECT_LE(extent(mainWindow, text).cx, client.right);
    ReleaseDC(mainWindow, context);

    // Controls of one tab overlap only where a group box frames them, and all
    // of them stand clear of the status bar.
    RECT bar;
    GetWindowRect(FindWindowExW(mainWindow, nullptr, STATUSCLASSNAMEW, nullptr), &bar);
    for (const ui::ControlLayout& one : ui::ControlLayouts) {
        RECT first;
        GetWindowRect(Control(one.number), &first);
        EXPECT_LE(first.bottom, bar.top) << one.number;
        for (const ui::ControlLayout& other : ui::ControlLayouts) {
            if (other.number <= one.number || other.tab != one.tab ||
                one.kind == ControlKind::GroupBox || other.kind == ControlKind::GroupBox)
                continue;
            RECT second;
            GetWindowRect(Control(other.number), &second);
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &first, &second))
                << one.number << " and " << other.number;
        }
    }
}

// A group box paints its whole inside: what it frames must lie above it.
TEST_F(Window, FramedControlsLieAboveTheirGroupBoxes) {
    const std::pair<int, int> framed[] = {{control::ChartView, control::ChartFrame},
                                          {control::WeekExportList, control::WeekExportFrame},
                                          {control::YearExportList, control::YearExportFrame}};
    for (auto [inside, frame] : framed) {
        SCOPED_TRACE("control " + std::to_string(inside));
        bool frameSeen = false;
        bool insideSeen = false;
        for (HWND sibling = GetWindow(Control(frame), GW_HWNDFIRST); sibling != nullptr;
             sibling = GetWindow(sibling, GW_HWNDNEXT)) {
            if (sibling == Control(frame))
                frameSeen = true;
            if (sibling == Control(inside))
                insideSeen = !frameSeen;
        }
        EXPECT_TRUE(insideSeen) << "below its frame";
    }
}

TEST_F(Window, ItemsCellsChecksAndPictures) {
    using namespace platform;
    const int list = control::HistoryList;
    EXPECT_EQ(AddItem(list, "Montag, 07.03.2011 - 08:15:00"), 0);
    EXPECT_EQ(AddItem(list, "Dienstag"), 1);
    SetCellText(list, 0, 1, "Montag, 07.03.2011 - 17:40:05");
    SetCellText(list, 0, 2, "no such column");
    EXPECT_EQ(CellText(list, 0, 0), "Montag, 07.03.2011 - 08:15:00");
    EXPECT_EQ(CellText(list, 0, 1), "Montag, 07.03.2011 - 17:40:05");
    EXPECT_EQ(CellText(list, 1, 1), "");
    EXPECT_EQ(CellText(list, 2, 0), "");
    const std::string longText(1000, 'x');
    SetCellText(list, 1, 0, longText);
    EXPECT_EQ(CellText(list, 1, 0), longText);
    RemoveItem(list, 0);
    EXPECT_EQ(ItemCount(list), 1);
    EXPECT_EQ(CellText(list, 0, 0), longText);
    ClearItems(list);
    EXPECT_EQ(ItemCount(list), 0);

    const int weeks = control::WeekExportList;
    AddItem(weeks, "2011-41");
    AddItem(weeks, "2011-42");
    LVITEMW tick{};
    tick.stateMask = LVIS_STATEIMAGEMASK;
    tick.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(Control(weeks), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&tick));
    EXPECT_FALSE(IsItemChecked(weeks, 0));
    EXPECT_TRUE(IsItemChecked(weeks, 1));
    EXPECT_FALSE(IsItemChecked(weeks, 5));

    const int periods = control::PeriodSelector;
    AddItem(periods, "2011-41");
    AddItem(periods, "2011-42");
    EXPECT_EQ(ControlText(periods), "");
    SetControlState(periods, 1);
    EXPECT_EQ(ControlText(periods), "2011-42");
    SetControlState(periods, 7);
    EXPECT_EQ(ControlState(periods), -1);
    ClearItems(periods);
    EXPECT_EQ(ItemCount(periods), 0);

    SetControlState(control::AutostartCheckbox, 1);
    EXPECT_EQ(SendMessageW(Control(control::AutostartCheckbox), BM_GETCHECK, 0, 0), BST_CHECKED);
    EnableControl(control::WeekLimitField, false);
    EXPECT_FALSE(IsWindowEnabled(Control(control::WeekLimitField)));
    EXPECT_FALSE(IsWindowEnabled(UpDownOf(mainWindow, Control(control::WeekLimitField))));
    SetControlText(control::PeriodCaption, "Jahr:");
    EXPECT_EQ(TextOf(Control(control::PeriodCaption)), L"Jahr:");

    // The chart view shows a copy of the image, colours as they are.
    Image chart = MakeImage(365, 220);
    FillBox(chart, 0, 0, 365, 220, White);
    FillBox(chart, 10, 20, 5, 7, Rgb{200, 30, 40});
    ShowImage(control::ChartView, chart);
    ShowImage(control::ChartView, chart); // the first picture is freed, not leaked
    HBITMAP shown = reinterpret_cast<HBITMAP>(
        SendMessageW(Control(control::ChartView), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(shown, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 365;
    info.bmiHeader.biHeight = -220;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(365 * 220);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDIBits(screen, shown, 0, 220, pixels.data(), &info, DIB_RGB_COLORS), 220);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(pixels[20 * 365 + 10] & 0xFFFFFF, 0xC81E28u);
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFFFFFFu);

    // And on the screen, in front of the chart frame around it.
    platform::SetControlState(control::TabPanel, ui::Grafik);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    testing::PumpMessages();
    RECT place;
    GetWindowRect(Control(control::ChartView), &place);
    screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, place.left + 11, place.top + 22), RGB(200, 30, 40));
    EXPECT_EQ(GetPixel(screen, place.left + 100, place.top + 100), RGB(255, 255, 255));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(PlaceInPage(Control(control::ChartView)), (Box{8, 40, 365, 220}));
}

TEST_F(Window, NotificationsBecomeEventsAfterTheCallbackSawThem) {
    using platform::ControlEventKind;
    std::vector<unsigned> seen;
    platform::InstallWindowCallback([&](unsigned message, std::uintptr_t, std::intptr_t) {
        seen.push_back(message);
        // The callback's result ends a message: this one never becomes an event.
        if (message == WM_APP + 1)
            return std::optional<std::intptr_t>(0);
        return std::optional<std::intptr_t>();
    });
    const auto next = [] { return platform::WaitForEvent(); };

    SendMessageW(mainWindow, WM_APP + 1, 0, WM_LBUTTONDOWN);
    SendMessageW(Control(control::AutostartCheckbox), BM_CLICK, 0, 0);
    platform::Event event = next();
    EXPECT_EQ(event.control, control::AutostartCheckbox);
    EXPECT_EQ(event.controlKind, ControlEventKind::Clicked);
    EXPECT_EQ(platform::ControlState(control::AutostartCheckbox), 1);

    SendMessageW(Control(control::ExportButton), BM_CLICK, 0, 0);
    EXPECT_EQ(next().control, control::ExportButton);

    HWND viewSelector = Control(control::ViewSelector);
    platform::SetControlState(control::TabPanel, ui::Grafik);
    SetFocus(viewSelector);
    event = next();
    EXPECT_EQ(event.control, control::ViewSelector);
    EXPECT_EQ(event.controlKind, ControlEventKind::FocusGained);
    SendMessageW(viewSelector, CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(next().controlKind, ControlEventKind::ListOpened);
    SendMessageW(viewSelector, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(next().controlKind, ControlEventKind::ListClosed);
    SendMessageW(viewSelector, WM_KEYDOWN, VK_DOWN, 0);
    event = next();
    EXPECT_EQ(event.controlKind, ControlEventKind::SelectionChanged);
    EXPECT_EQ(platform::ControlState(control::ViewSelector), 1);
    SetFocus(tabPanel);
    EXPECT_EQ(next().controlKind, ControlEventKind::FocusLost);

    // A click on a tab: the change on the press, the click on the release.
    RECT firstTab;
    SendMessageW(tabPanel, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstTab));
    const LPARAM point = MAKELPARAM(firstTab.left + 5, firstTab.top + 5);
    SendMessageW(tabPanel, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(tabPanel, WM_LBUTTONUP, 0, point);
    event = next();
    EXPECT_EQ(event.control, control::TabPanel);
    EXPECT_EQ(event.controlKind, ControlEventKind::SelectionChanged);
    EXPECT_EQ(next().controlKind, ControlEventKind::Clicked);

    // The notification icon's mouse actions.
    platform::InstallWindowCallback({});
    for (auto [mouse, kind] : {std::pair{WM_LBUTTONDOWN, platform::IconEventKind::LeftButtonDown},
                               {WM_RBUTTONDBLCLK, platform::IconEventKind::RightDoubleClick}}) {
        SendMessageW(mainWindow, WM_APP + 1, 0, WM_MOUSEMOVE);
        SendMessageW(mainWindow, WM_APP + 1, 0, mouse);
        event = next();
        EXPECT_EQ(event.type, platform::EventType::NotificationIcon);
        EXPECT_EQ(event.iconKind, kind);
    }

    seen.clear();
    platform::InstallWindowCallback([&](unsigned message, std::uintptr_t, std::intptr_t) {
        seen.push_back(message);
        return std::optional<std::intptr_t>();
    });
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(next().type, platform::EventType::Close);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_CLOSE), 1);
    // The window stays until the toolkit is released.
    EXPECT_TRUE(IsWindow(mainWindow));
}

TEST_F(Window, TimersTickInTheEventLoopAndInsideMessageBoxes) {
    // A timer that answers the message box once it has ticked inside it.
    struct Watch {
        int ticks = 0;
        int ticksInBox = 0;
        HWND owner = reinterpret_cast<HWND>(-1);
    } watch;
    const platform::TimerId timer = platform::StartTimer(20, [&watch] {
        ++watch.ticks;
        HWND box = FindWindowW(L"#32770", L"Lumidor");
        if (box == nullptr)
            return;
        if (++watch.ticksInBox == 3) {
            watch.owner = GetWindow(box, GW_OWNER);
            PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
        }
    });
    ASSERT_NE(timer, 0u);

    platform::BringMainWindowToFront();
    testing::PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), mainWindow);
    EXPECT_EQ(platform::ShowMessage("Lumidor", "Wirklich?", platform::MessageIcon::Warning,
                                    platform::MessageButtons::YesNoDefaultNo),
              platform::MessageAnswer::No);
    EXPECT_GE(watch.ticksInBox, 3);
    EXPECT_EQ(watch.owner, mainWindow);

    // Without the window in front the box has no owner.
    platform::HideMainWindow();
    watch.ticksInBox = 0;
    EXPECT_EQ(platform::ShowMessage("Lumidor", "Wirklich?", platform::MessageIcon::Warning,
                                    platform::MessageButtons::YesNoDefaultNo),
              platform::MessageAnswer::No);
    EXPECT_EQ(watch.owner, nullptr);

    // In the event loop: the timer posts the close after a few ticks.
    watch.ticks = 0;
    const platform::TimerId closer = platform::StartTimer(20, [this, &watch] {
        if (watch.ticks >= 3)
            PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(platform::WaitForEvent().type, platform::EventType::Close);
    EXPECT_GE(watch.ticks, 3);
    platform::StopTimer(closer);
    platform::StopTimer(timer);
    const int stoppedAt = watch.ticks;
    testing::PumpMessages();
    EXPECT_EQ(watch.ticks, stoppedAt);
}

} // namespace
} // namespace lumidor
