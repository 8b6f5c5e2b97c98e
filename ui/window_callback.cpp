#include "ui/window_callback.h"

#include "history/history.h"
#include "recording/retention.h"
#include "recording/usage_files.h"
#include "settings/settings.h"
#include "ui/control_layout.h"

namespace lumidor {

void RunShutdownSequence(App& app) {
    // No minute may be counted once the end has begun.
    platform::StopTimer(app.timer);
    app.timer = 0;
    // A minute whose file was held at its count waits in memory; no later tick
    // will store it.
    if (app.recorder != nullptr)
        StoreUnsavedRecords(app.DataFolder, *app.recorder);
    if (platform::NotificationIconExists())
        platform::RemoveNotificationIcon();

    // The limits in force are the fields' values, changed in this run or not.
    const int weekLimit = platform::ControlState(control::WeekLimitField);
    const int yearLimit = platform::ControlState(control::YearLimitField);
    const int historyLimit = platform::ControlState(control::HistoryLimitField);
    // Each step runs even when the one before it failed.
    PruneUsageFiles(app.DataFolder, weekLimit, yearLimit);
    SaveSettings(app.DataFolder, {weekLimit, yearLimit, historyLimit});
    if (app.recordingMode)
        AppendSession(app);
}

namespace {

// True when the user confirms that recording may end.
bool ConfirmClose() {
    return platform::ShowMessage(
               ui::MessageTitle, ui::CloseQuestion, platform::MessageIcon::Warning,
               platform::MessageButtons::YesNoDefaultNo) == platform::MessageAnswer::Yes;
}

} // namespace

std::optional<std::intptr_t> HandleWindowMessage(App& app, unsigned message, std::uintptr_t first,
                                                 std::intptr_t) {
    switch (message) {
    case platform::MessageClose:
        // The toolkit then turns the close into the close event.
        RunShutdownSequence(app);
        return std::nullopt;
    case platform::MessageQueryEndSession:
        RunShutdownSequence(app);
        return 1;
    case platform::MessageSysCommand:
        if (!app.recordingMode)
            return std::nullopt;
        if (first == platform::SysCommandMinimize) {
            // No taskbar button while recording: the notification icon brings it back.
            platform::HideMainWindow();
            return 0;
        }
        if (first == platform::SysCommandClose) {
            // Yes lets the system send the close message, which ends the run.
            if (ConfirmClose())
                return std::nullopt;
            return 0;
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace lumidor
