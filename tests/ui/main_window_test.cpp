// The main window as it stands after the start: window, status bar,
// notification icon, tabs and every control with its initial state.
#include "tests/ui/ui_fixture.h"
#include "ui/control_layout.h"

namespace lumidor {
namespace {

using platform::ControlKind;

class MainWindow : public testing::UiFixture {};

TEST_F(MainWindow, CreatesEveryControlOfTheLayoutInItsOrder) {
    Start(false);
    const std::vector<headless::Control>& controls = headless::Controls();
    ASSERT_EQ(controls.size(), ui::ControlLayouts.size() + 1);

    const headless::Control& tabPanel = controls.front();
    EXPECT_EQ(tabPanel.number, 0);
    EXPECT_EQ(tabPanel.kind, ControlKind::TabPanel);
    EXPECT_EQ((std::array{tabPanel.x, tabPanel.y, tabPanel.width, tabPanel.height}),
              (std::array{-2, -2, 395, 295}));
    EXPECT_EQ(headless::TabCaptions(), (std::vector<std::string>{"Aktuell", "Grafik", "Verlauf",
                                                                 "Einstellungen", "Export"}));
    EXPECT_EQ(headless::SelectedTab(), 0);

    for (std::size_t index = 0; index < ui::ControlLayouts.size(); ++index) {
        const ui::ControlLayout& layout = ui::ControlLayouts[index];
        const headless::Control& control = controls[index + 1];
        SCOPED_TRACE("control " + std::to_string(layout.number));
        EXPECT_EQ(control.number, layout.number);
        EXPECT_EQ(control.kind, layout.kind);
        EXPECT_EQ(control.tab, layout.tab);
        EXPECT_EQ((std::array{control.x, control.y, control.width, control.height}),
                  (std::array{layout.x, layout.y, layout.width, layout.height}));
        EXPECT_EQ(control.text, layout.text);
        // Without the Startup shortcut the limit captions and fields are greyed out.
        EXPECT_EQ(control.enabled, layout.number < control::WeekLimitCaption ||
                                       layout.number > control::HistoryLimitField);
        EXPECT_EQ(headless::IsControlVisible(layout.number),
                  layout.tab == ui::Aktuell && layout.number != control::CounterWarningLabel);
    }
}

TEST_F(MainWindow, TheStartupShortcutChecksTheBoxAndEnablesTheLimits) {
    for (bool shortcut : {false, true}) {
        SCOPED_TRACE(shortcut ? "shortcut present" : "shortcut absent");
        headless::Reset();
        app = App{};
        const std::filesystem::path startup = temp / (shortcut ? "with" : "without");
        std::filesystem::create_directories(startup);
        if (shortcut)
            testing::WriteFileText(startup / "Lumidor.lnk", "a shell link");
        headless::SetStartupFolder(startup);
        Start(false);
        EXPECT_EQ(platform::ControlState(control::AutostartCheckbox), shortcut ? 1 : 0);
        for (int number = control::WeekLimitCaption; number <= control::HistoryLimitField; ++number)
            EXPECT_EQ(headless::FindControl(number)->enabled, shortcut) << number;
    }
}

TEST_F(MainWindow, NumbersTabsAndPlacesFollowTheFixedLayout) {
    // Spot checks against the layout as the program has always had it.
    struct Expected {
        int number;
        int tab;
        ControlKind kind;
        int x, y, width, height;
    };
    const Expected expected[] = {
        {2, 0, ControlKind::Label, 53, 44, 44, 15},
        {15, 0, ControlKind::RightAlignedLabel, 123, 203, 138, 15},
        {16, 0, ControlKind::WrappingLabel, 29, 238, 310, 29},
        {17, 1, ControlKind::GroupBox, 3, 33, 375, 233},
        {21, 1, ControlKind::DropDownList, 303, 8, 74, 20},
        {22, 1, ControlKind::ImageView, 8, 40, 365, 220},
        {23, 2, ControlKind::ReportList, 3, 1, 378, 264},
        {28, 3, ControlKind::SpinField, 270, 73, 43, 17},
        {30, 3, ControlKind::SpinField, 270, 100, 43, 18},
        {34, 4, ControlKind::CheckboxList, 200, 20, 170, 175},
        {36, 4, ControlKind::PushButton, 120, 235, 140, 25},
    };
    Start(false);
    std::vector<int> numbers;
    for (const headless::Control& control : headless::Controls())
        numbers.push_back(control.number);
    EXPECT_EQ(numbers, (std::vector<int>{0,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                         13, 14, 15, 16, 18, 19, 20, 21, 17, 22, 23, 24,
                                         25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36}));
    for (const Expected& want : expected) {
        const headless::Control* control = headless::FindControl(want.number);
        ASSERT_NE(control, nullptr) << want.number;
        EXPECT_EQ(
            (std::array{control->tab, control->x, control->y, control->width, control->height}),
            (std::array{want.tab, want.x, want.y, want.width, want.height}))
            << want.number;
        EXPECT_EQ(control->kind, want.kind) << want.number;
    }
}

TEST_F(MainWindow, ControlsStartWithTheirItemsColumnsAndStates) {
    Start(false);
    using platform::ControlState;
    using platform::ControlText;
    EXPECT_EQ(platform::ItemCount(control::ViewSelector), 2);
    EXPECT_EQ(platform::CellText(control::ViewSelector, 0, 0), "Tage");
    EXPECT_EQ(platform::CellText(control::ViewSelector, 1, 0), "Monate");
    EXPECT_EQ(ControlState(control::ViewSelector), 0);
    EXPECT_EQ(ControlText(control::PeriodCaption), "Kalenderwoche:");
    EXPECT_EQ(platform::ItemCount(control::PeriodSelector), 0);
    EXPECT_EQ(ControlState(control::PeriodSelector), -1);

    const headless::Control* history = headless::FindControl(control::HistoryList);
    EXPECT_EQ(history->columnTitles,
              (std::vector<std::string>{"PC eingeschaltet", "PC ausgeschaltet"}));
    EXPECT_EQ(history->columnWidths, (std::vector<int>{178, 178}));
    for (int list : {control::WeekExportList, control::YearExportList}) {
        const headless::Control* exportList = headless::FindControl(list);
        EXPECT_EQ(exportList->columnTitles, (std::vector<std::string>{""}));
        EXPECT_EQ(exportList->columnWidths, (std::vector<int>{150}));
        EXPECT_EQ(platform::ItemCount(list), 0);
    }
    EXPECT_EQ(ControlState(control::IncludeHistoryCheckbox), 0);
    EXPECT_EQ(ControlText(control::ExportButton), "HTML-Datei erzeugen");
    EXPECT_FALSE(headless::FindControl(control::CounterWarningLabel)->shown);
    EXPECT_FALSE(headless::FindControl(control::ChartView)->image.has_value());
}

TEST_F(MainWindow, WindowAndStatusBar) {
    Start(false);
    const platform::MainWindowSetup& window = headless::MainWindow();
    EXPECT_EQ(window.title, "Quorrel - Lumidor 1.2.2");
    EXPECT_EQ((std::array{window.x, window.y, window.clientWidth, window.clientHeight}),
              (std::array{432, 46, 384, 310}));
    EXPECT_EQ(window.iconFile, app.programFile);
    EXPECT_TRUE(headless::StatusBarExists());
    EXPECT_EQ(headless::StatusText(), " Zeigt Laufzeit seit dem Anmelden");
}

TEST_F(MainWindow, RecordingModeStartsHiddenWithTheNotificationIcon) {
    for (bool recording : {true, false}) {
        SCOPED_TRACE(recording ? "recording mode" : "viewing mode");
        headless::Reset();
        Start(recording);
        EXPECT_EQ(headless::MainWindowVisible(), !recording);
        EXPECT_EQ(headless::MainWindow().visible, !recording);
        EXPECT_EQ(headless::NotificationIconPresent(), recording);
        if (recording) {
            EXPECT_EQ(headless::NotificationTooltip(), "Quorrel - Lumidor");
            EXPECT_EQ(headless::NotificationIconFile(), app.programFile);
        }
    }
}

TEST_F(MainWindow, AFailedWindowLeavesEverythingElseUnmade) {
    headless::AllowMainWindow(false);
    PrepareApp(app, temp / "Lumidor.exe", "Lumidor.exe /autorun");
    EXPECT_FALSE(BuildMainWindow(app));
    EXPECT_FALSE(headless::StatusBarExists());
    EXPECT_FALSE(headless::NotificationIconPresent());
    EXPECT_TRUE(headless::Controls().empty());
    EXPECT_TRUE(headless::TabCaptions().empty());
}

} // namespace
} // namespace lumidor
