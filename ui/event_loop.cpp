#include "ui/event_loop.h"

#include "autostart/autostart_checkbox.h"
#include "reports/chart_view.h"
#include "reports/html_export.h"
#include "reports/period_list.h"
#include "ui/control_layout.h"

namespace lumidor {
namespace {

// The period selector lists the recorded periods of the chosen view anew, and
// the chart is drawn for the period now selected.
void ShowGrafikTab(App& app) {
    FillPeriodList(app, platform::ControlState(control::ViewSelector), control::PeriodSelector);
    ShowSelectedChart(app);
}

// Both export lists are rebuilt, so earlier check marks are gone.
void ShowExportTab(App& app) {
    FillPeriodList(app, WeekView, control::WeekExportList);
    FillPeriodList(app, YearView, control::YearExportList);
}

struct TabChange {
    std::string_view caption;
    std::string_view statusText;
    void (*then)(App& app);
};

// Told apart by the caption of the tab now selected, compared byte for byte.
constexpr TabChange TabChanges[] = {
    {ui::TabCaptions[ui::Aktuell], ui::StatusTexts[ui::Aktuell], nullptr},
    {ui::TabCaptions[ui::Grafik], ui::StatusTexts[ui::Grafik], ShowGrafikTab},
    {ui::TabCaptions[ui::Verlauf], ui::StatusTexts[ui::Verlauf], nullptr},
    {ui::TabCaptions[ui::Einstellungen], ui::StatusTexts[ui::Einstellungen], nullptr},
    {ui::TabCaptions[ui::Export], ui::StatusTexts[ui::Export], ShowExportTab},
};

void OnTabChanged(App& app) {
    const std::string caption = platform::SelectedTabCaption();
    for (const TabChange& change : TabChanges) {
        if (change.caption != caption)
            continue;
        platform::SetStatusText(change.statusText);
        if (change.then != nullptr)
            change.then(app);
        return;
    }
}

void OnViewSelector(App& app) {
    const int view = platform::ControlState(control::ViewSelector);
    if (view == 0)
        platform::SetControlText(control::PeriodCaption, "Kalenderwoche:");
    else if (view == 1)
        platform::SetControlText(control::PeriodCaption, "Jahr:");
    // Every event of the selector counts, also opening and closing its list.
    FillPeriodList(app, view, control::PeriodSelector);
    ShowSelectedChart(app);
}

void ToggleMainWindow() {
    if (platform::IsMainWindowVisible()) {
        platform::HideMainWindow();
        return;
    }
    platform::ShowMainWindow();
    platform::BringMainWindowToFront();
}

void OnControlEvent(App& app, const platform::Event& event) {
    switch (event.control) {
    case control::TabPanel:
        // A plain click on the tab strip is a different kind and changes nothing.
        if (event.controlKind == platform::ControlEventKind::SelectionChanged)
            OnTabChanged(app);
        return;
    case control::ViewSelector:
        OnViewSelector(app);
        return;
    case control::PeriodSelector:
        ShowSelectedChart(app);
        return;
    case control::AutostartCheckbox:
        HandleAutostartCheckbox(app);
        return;
    case control::ExportButton:
        ExportHtml(app);
        return;
    default:
        return;
    }
}

} // namespace

void HandleEvent(App& app, const platform::Event& event) {
    switch (event.type) {
    case platform::EventType::Control:
        OnControlEvent(app, event);
        return;
    case platform::EventType::NotificationIcon:
        // The button going down: a double-click toggles once, by its first press.
        if (event.iconKind == platform::IconEventKind::LeftButtonDown)
            ToggleMainWindow();
        return;
    case platform::EventType::Close:
        return;
    }
}

void RunEventLoop(App& app) {
    for (;;) {
        const platform::Event event = platform::WaitForEvent();
        if (event.type == platform::EventType::Close)
            return;
        HandleEvent(app, event);
    }
}

} // namespace lumidor
