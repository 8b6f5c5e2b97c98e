// What the event loop does with each event: one table of what a user does
// and what must follow.
#include "core/control_numbers.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_fixture.h"
#include "ui/event_loop.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lumidor {
namespace {

using platform::ControlEventKind;

void QueueControlEvent(int control, ControlEventKind kind) {
    platform::Event event;
    event.type = platform::EventType::Control;
    event.control = control;
    event.controlKind = kind;
    headless::QueueEvent(event);
}

struct Dispatch {
    const char* what;
    // Runs on the built window before the loop; queues the user's actions
    // (events, and steps that run once the events before them are served).
    std::function<void()> user;
    std::string statusText;
    std::string periodCaption;
    bool windowVisible;
    bool windowInFront;
};

const std::string Aktuell = " Zeigt Laufzeit seit dem Anmelden";
const std::string Grafik = " Zeigt Laufzeit in einer Tage/Monate-Ansicht an";
const std::string Verlauf = " Zeigt Ein- und Ausschaltzeiten";
const std::string Einstellungen = " Legen Sie hier Ihre Einstellungen fest";
const std::string Export = " Exportieren Sie hier die gespeicherten Daten";

class EventLoop : public testing::UiFixture {};

TEST_F(EventLoop, DispatchesEachEventToWhatMustFollow) {
    // In recording mode, with the window shown by the user (the icon is there).
    const Dispatch table[] = {
        {"tab Grafik", [] { headless::SelectTab(1); }, Grafik, "Kalenderwoche:", true, true},
        {"tab Verlauf", [] { headless::SelectTab(2); }, Verlauf, "Kalenderwoche:", true, true},
        {"tab Einstellungen", [] { headless::SelectTab(3); }, Einstellungen, "Kalenderwoche:", true,
         true},
        {"tab Export", [] { headless::SelectTab(4); }, Export, "Kalenderwoche:", true, true},
        {"back to tab Aktuell",
         [] {
             headless::SelectTab(4);
             headless::SelectTab(0);
         },
         Aktuell, "Kalenderwoche:", true, true},
        {"a plain click on the tab strip is no tab change",
         [] {
             platform::SetControlState(control::TabPanel, 4);
             headless::SelectTab(4);
         },
         Aktuell, "Kalenderwoche:", true, true},
        {"view Monate", [] { headless::PickItem(control::ViewSelector, 1); }, Aktuell,
         "Jahr:", true, true},
        {"view Monate, then Tage again",
         [] {
             headless::PickItem(control::ViewSelector, 1);
             headless::PickItem(control::ViewSelector, 0);
         },
         Aktuell, "Kalenderwoche:", true, true},
        {"any event of the view selector counts, focus too",
         [] {
             platform::SetControlState(control::ViewSelector, 1);
             QueueControlEvent(control::ViewSelector, ControlEventKind::FocusGained);
         },
         Aktuell, "Jahr:", true, true},
        {"a view selector without selection leaves the caption",
         [] {
             headless::PickItem(control::ViewSelector, 1);
             headless::QueueStep([] {
                 platform::ClearItems(control::ViewSelector);
                 QueueControlEvent(control::ViewSelector, ControlEventKind::FocusLost);
             });
         },
         Aktuell, "Jahr:", true, true},
        {"icon pressed while the window is visible hides it",
         [] { headless::ClickNotificationIcon(); }, Aktuell, "Kalenderwoche:", false, false},
        {"icon pressed twice shows it again in front",
         [] {
             headless::ClickNotificationIcon();
             headless::ClickNotificationIcon();
         },
         Aktuell, "Kalenderwoche:", true, true},
        {"a double-click on the icon toggles once", [] { headless::DoubleClickNotificationIcon(); },
         Aktuell, "Kalenderwoche:", false, false},
        {"the right button does nothing",
         [] {
             headless::ClickNotificationIcon(true);
             headless::DoubleClickNotificationIcon(true);
         },
         Aktuell, "Kalenderwoche:", true, true},
        {"events of other controls are ignored",
         [] {
             QueueControlEvent(control::YearsCaption, ControlEventKind::Clicked);
             QueueControlEvent(control::HistoryList, ControlEventKind::Other);
             headless::Click(control::IncludeHistoryCheckbox);
         },
         Aktuell, "Kalenderwoche:", true, true},
    };
    for (const Dispatch& row : table) {
        SCOPED_TRACE(row.what);
        headless::Reset();
        app = App{};
        Start(true);
        platform::ShowMainWindow();
        platform::BringMainWindowToFront();
        row.user();
        // Once everything queued has been served, the close event ends the loop.
        headless::QueueStep([] { headless::QueueEvent(platform::Event{}); });
        RunEventLoop(app);
        EXPECT_FALSE(headless::ScriptRanOut());
        EXPECT_EQ(headless::StatusText(), row.statusText);
        EXPECT_EQ(platform::ControlText(control::PeriodCaption), row.periodCaption);
        EXPECT_EQ(headless::MainWindowVisible(), row.windowVisible);
        EXPECT_EQ(headless::MainWindowInFront(), row.windowInFront);
    }
}

// What the tabs, selectors and buttons reach beyond the window: the period
// lists listed anew from the data folder, the chart, the shortcut, the export.
struct Reach {
    const char* what;
    std::function<void()> user;
    int periodItems;
    int weekExportItems;
    int yearExportItems;
    bool chartShown;
    std::vector<std::string> messages;
};

TEST_F(EventLoop, TabsSelectorsAndButtonsReachTheirSubsystems) {
    const std::string entered = "Das Programm wurde in den Autostart eingetragen.\r\n"
                                "Ab dem nächsten Windows-Start werden die PC-Laufzeiten "
                                "aufgezeichnet.";
    const Reach table[] = {
        {"nothing", [] {}, 0, 0, 0, false, {}},
        {"tab Grafik lists the weeks and draws", [] { headless::SelectTab(1); }, 2, 0, 0, true, {}},
        {"tab Grafik twice lists them anew, not twice",
         [] {
             headless::SelectTab(1);
             headless::SelectTab(0);
             headless::SelectTab(1);
         },
         2,
         0,
         0,
         true,
         {}},
        {"view Monate lists the years",
         [] { headless::PickItem(control::ViewSelector, 1); },
         1,
         0,
         0,
         true,
         {}},
        {"opening the view list without choosing still refills",
         [] { QueueControlEvent(control::ViewSelector, ControlEventKind::Other); },
         2,
         0,
         0,
         true,
         {}},
        {"the period selector draws",
         [] { QueueControlEvent(control::PeriodSelector, ControlEventKind::SelectionChanged); },
         0,
         0,
         0,
         true,
         {}},
        {"tab Export fills both lists", [] { headless::SelectTab(4); }, 0, 2, 1, false, {}},
        {"tab Export twice fills them anew",
         [] {
             headless::SelectTab(4);
             headless::SelectTab(3);
             headless::SelectTab(4);
         },
         0,
         2,
         1,
         false,
         {}},
        {"the export button with nothing ticked",
         [] {
             headless::QueueChosenFolder(std::filesystem::temp_directory_path());
             headless::Click(control::ExportButton);
         },
         0,
         0,
         0,
         false,
         {"Keine Daten zum exportieren gewählt!"}},
        {"the autostart checkbox places the shortcut",
         [] { headless::Click(control::AutostartCheckbox); },
         0,
         0,
         0,
         false,
         {entered}},
    };
    for (const Reach& row : table) {
        SCOPED_TRACE(row.what);
        headless::Reset();
        app = App{};
        std::filesystem::create_directories(temp / "Startup");
        std::filesystem::remove_all(temp / "Startup" / "Lumidor.lnk");
        headless::SetStartupFolder(temp / "Startup");
        Start(false);
        const std::filesystem::path data = app.DataFolder;
        for (const char* name : {"Weeks/2011-42.dat", "Weeks/2011-43.dat", "Months/2011.dat"})
            testing::WriteFileBytes(data / name, std::vector<std::uint8_t>(31, 0));
        row.user();
        headless::QueueStep([] { headless::QueueEvent(platform::Event{}); });
        RunEventLoop(app);
        EXPECT_FALSE(headless::ScriptRanOut());
        EXPECT_EQ(platform::ItemCount(control::PeriodSelector), row.periodItems);
        EXPECT_EQ(platform::ItemCount(control::WeekExportList), row.weekExportItems);
        EXPECT_EQ(platform::ItemCount(control::YearExportList), row.yearExportItems);
        EXPECT_EQ(headless::FindControl(control::ChartView)->image.has_value(), row.chartShown);
        std::vector<std::string> messages;
        for (const headless::ShownMessage& message : headless::ShownMessages())
            messages.push_back(message.text);
        EXPECT_EQ(messages, row.messages);
    }
}

TEST_F(EventLoop, EndsWithTheCloseEventAndRunsWhileTheLoopWaits) {
    Start(false);
    int ticks = 0;
    app.timer = platform::StartTimer(1000, [&] { ++ticks; });
    headless::QueueStep([] { headless::DeliverTicks(3); });
    headless::QueueStep([] { headless::SelectTab(3); });
    headless::QueueStep([] { headless::SendWindowMessage(platform::MessageClose); });
    RunEventLoop(app);
    EXPECT_FALSE(headless::ScriptRanOut());
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(headless::StatusText(), Einstellungen);
    // The window stays until the end steps release the toolkit.
    EXPECT_TRUE(headless::MainWindowExists());
}

} // namespace
} // namespace lumidor
