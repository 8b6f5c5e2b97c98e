#include "ui/main_window.h"

#include "autostart/autostart.h"
#include "autostart/autostart_checkbox.h"
#include "ui/control_layout.h"
#include "ui/window_callback.h"

namespace lumidor {
namespace {

void CreateTabControls(int tab) {
    for (const ui::ControlLayout& layout : ui::ControlLayouts) {
        if (layout.tab != tab)
            continue;
        platform::CreateControl({layout.number, layout.kind, layout.tab, layout.x, layout.y,
                                 layout.width, layout.height, layout.text});
        if (layout.columnWidth > 0)
            platform::AddColumn(layout.number, layout.text, layout.columnWidth);

        switch (layout.number) {
        case control::CounterWarningLabel:
            platform::ShowControl(layout.number, false);
            break;
        case control::ViewSelector:
            for (std::string_view item : ui::ViewSelectorItems)
                platform::AddItem(layout.number, item);
            platform::SetControlState(layout.number, 0);
            break;
        case control::HistoryList:
            platform::AddColumn(layout.number, ui::HistorySecondColumn,
                                ui::HistorySecondColumnWidth);
            break;
        case control::AutostartCheckbox:
            platform::SetControlState(layout.number, IsAutostartEnabled() ? 1 : 0);
            break;
        default:
            break;
        }
    }
}

} // namespace

bool BuildMainWindow(App& app) {
    platform::MainWindowSetup window;
    window.title = ui::MainWindowTitle;
    window.x = ui::MainWindowX;
    window.y = ui::MainWindowY;
    window.clientWidth = ui::ClientWidth;
    window.clientHeight = ui::ClientHeight;
    window.visible = !app.recordingMode;
    window.iconFile = app.programFile;
    if (!platform::CreateMainWindow(window))
        return false;

    platform::InstallWindowCallback(
        [&app](unsigned message, std::uintptr_t first, std::intptr_t second) {
            return HandleWindowMessage(app, message, first, second);
        });

    // A window without status bar or notification icon still works.
    platform::CreateStatusBar(ui::StatusTexts[ui::Aktuell]);
    if (app.recordingMode && platform::AddNotificationIcon(app.programFile, 0))
        platform::SetNotificationTooltip(ui::NotificationTooltip);

    platform::CreateControl(ui::TabPanelSetup);
    for (int tab = 0; tab < ui::TabCount; ++tab) {
        platform::AddTab(ui::TabCaptions[static_cast<std::size_t>(tab)]);
        CreateTabControls(tab);
    }

    // The shortcut is asked for again; while it is absent the limit captions
    // and fields are greyed out, their values still loaded.
    if (!IsAutostartEnabled())
        for (int number : LimitControls)
            platform::EnableControl(number, false);
    return true;
}

} // namespace lumidor
